// The whole program as a user meets it: started as the executable starts it, driven
// only through its windows' messages, closed, and its registry key read back.
#include "mainwindow/Program.h"
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Application.h"

#include <dlgs.h>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct ChildSearch {
    std::string ClassName, Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, search->ClassName.c_str()) != 0) return TRUE;
    if (!search->Caption.empty() && WindowText(child) != search->Caption) return TRUE;
    search->Found = child;
    return FALSE;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& caption = "")
{
    ChildSearch search{className, caption};
    if (parent) EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The cells of a list view as it shows them, row by row, columns joined by "|".
std::vector<std::string> ListCells(HWND list, int columns)
{
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (int c = 0; c < columns; ++c) {
            char text[512] = {};
            LVITEMA item{};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            row += (c ? "|" : "") + std::string(text);
        }
        rows.push_back(row);
    }
    return rows;
}

void PressButton(HWND window, const std::string& caption)
{
    PostMessageA(FindChild(window, "Button", caption), BM_CLICK, 0, 0);
}

void ChooseCommand(HWND window, UINT id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

TMainDlg& MainDlg()
{
    return *dynamic_cast<TMainDlg*>(FormOf(Application.MainWindow));
}

bool ActiveIs(const std::string& caption)
{
    HWND active = GetActiveWindow();
    return active && WindowText(active) == caption;
}
} // namespace

TEST(WholeProgram, CompareSaveAndRestart)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("基準"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("対象"));
    auto pair = [&](const std::string& name, const std::string& r, const std::string& d) {
        if (!r.empty()) SetLocalWriteTime(temp.WriteFile("基準\\" + name, r), 2024, 5, 1, 10, 0, 0);
        if (!d.empty()) SetLocalWriteTime(temp.WriteFile("対象\\" + name, d), 2024, 5, 1, 10, 0, 0);
    };
    pair("same.txt", "same", "same");
    pair("newer.txt", "one", "one");
    SetLocalWriteTime(temp / "対象\\newer.txt", 2024, 6, 1, 10, 0, 0);
    pair("larger.txt", "ab", "abcd");
    pair("differ.bin", "ABCDEF", "ABxDEy");
    pair("only-src.txt", "only", "");
    pair("入れ子\\表.txt", "deep", "deeP");
    const std::string csv = temp / "結果.csv";

    // The first start shows the current folder in both panes.
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};
    std::vector<std::string> resultRows, dumpRows;
    std::string statusAfterSelectAll, savedWhileOpen;

    HWND main = nullptr, result = nullptr;
    auto activeIs = [](HWND& window) { return [&window] { return GetActiveWindow() == window; }; };
    TimedSteps user({
        // The main window: pick the folders, then Ctrl+A as typed, through the program's
        // own accelerator.
        OnMainWindowAt(ref, des,
                       [&] {
                           main = Application.MainWindow;
                           MainDlg().SrcFileView.SetFocus();
                           SetForegroundWindow(main);
                           PressKeys({VK_CONTROL, 'A'});
                       }),
        When([] { return MainDlg().SrcFileView.SelCount() == 6; },
             [&] {
                 statusAfterSelectAll = MainDlg().StatusBar.PanelText(0);
                 ChooseCommand(main, CompMenuItem);
             }),
        // The result window: read it, then show the differing pair byte by byte.
        When([] { return ActiveIs("結果"); },
             [&] {
                 result = GetActiveWindow();
                 HWND list = FindChild(result, "SysListView32");
                 resultRows = ListCells(list, 5);
                 for (size_t i = 0; i < resultRows.size(); ++i) {
                     if (resultRows[i].rfind("differ.bin|", 0) != 0) continue;
                     LVITEMA state{};
                     state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                     state.state = LVIS_SELECTED | LVIS_FOCUSED;
                     SendMessageA(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
                 }
                 PressButton(result, "比較表示(&D)");
             }),
        When([] { return ActiveIs("表示"); },
             [&] {
                 HWND view = GetActiveWindow();
                 dumpRows = ListCells(FindChild(view, "SysListView32"), 7);
                 PressButton(view, "OK");
             }),
        When(activeIs(result), [&] { PressButton(result, "結果保存(&S)"); }),
        // The platform's save dialog, then the notice shown while the file is still open.
        When([&] { return FindCommonDialog() && GetDlgItem(FindCommonDialog(), cmb13); },
             [&] {
                 HWND dialog = FindCommonDialog();
                 SetWindowTextA(GetDlgItem(dialog, cmb13), csv.c_str());
                 Press(dialog, IDOK);
             }),
        When([&] { return WindowText(GetDlgItem(FindCommonDialog(), 0xFFFF)) == "保存しました"; },
             [&] {
                 savedWhileOpen = ReadWholeFile(csv);
                 Press(FindCommonDialog(), IDOK);
             }),
        When(activeIs(result), [&] { PressButton(result, "閉じる(&C)"); }),
        When(activeIs(main), [&] { PostMessageA(main, WM_CLOSE, 0, 0); }),
    });
    int exitCode = RunProgram();

    ASSERT_EQ("", user.Failure);
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ("6 個のオブジェクトを選択", statusAfterSelectAll);

    // Only the mismatches, in the order of the collection.
    std::vector<std::string> expectedRows = {
        "differ.bin||一致|一致|不一致",     "larger.txt||一致|大きい|不一致",
        "newer.txt||新しい|一致|一致",      "only-src.txt||見つからない|見つからない|見つからない",
        "表.txt|入れ子\\|一致|一致|不一致",
    };
    EXPECT_EQ(expectedRows, resultRows);
    std::vector<std::string> expectedDump = {
        "00000002|43|78| 67|120|C|x",
        "00000005|46|79| 70|121|F|y",
    };
    EXPECT_EQ(expectedDump, dumpRows);

    std::string expectedCsv = "ファイル名,日付,サイズ,内容\r\n";
    for (const char* line :
         {"differ.bin,一致,一致,不一致", "larger.txt,一致,大きい,不一致",
          "newer.txt,新しい,一致,一致", "only-src.txt,見つからない,見つからない,見つからない",
          "入れ子\\表.txt,一致,一致,不一致"})
        expectedCsv += ref + "\\" + line + "\r\n";
    EXPECT_EQ(expectedCsv, savedWhileOpen);
    EXPECT_EQ(expectedCsv, ReadWholeFile(csv));

    // What the next start will find.
    EXPECT_TRUE(SamePath(ref, StoredText("Main", "SrcDirectory")));
    EXPECT_TRUE(SamePath(des, StoredText("Main", "DesDirectory")));
    EXPECT_TRUE(SamePath(ref, StoredText("Main", "SrcFolderList0")));
    EXPECT_TRUE(SamePath(des, StoredText("Main", "DesFolderList0")));
    EXPECT_EQ("<missing>", StoredText("Main", "SrcFolderList1"));
    EXPECT_EQ("0", StoredText("Main", "WindowState"));
    EXPECT_EQ("1", StoredText("Environment", "ToolBarDisp"));
    ClearStore();
}

// Target-only records switched on as a person does it, by keyboard in the settings
// dialog, then a run from the keyboard: the result window lists what only the target
// holds, and the option is stored at the close.
TEST(WholeProgram, TargetOnlyOptionByKeyboardListsTargetOnlyRows)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    for (const char* side : {"ref\\", "des\\"}) {
        for (const char* name : {"same.txt", "sub\\a.txt"})
            SetLocalWriteTime(temp.WriteFile(std::string(side) + name, "same"), 2024, 5, 1, 10, 0,
                              0);
    }
    temp.WriteFile("des\\sub\\extra.txt", "only in the target");
    temp.WriteFile("des\\sub\\new\\x.txt", "only in the target");
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    HWND main = nullptr, settings = nullptr, result = nullptr;
    bool optionAfterOk = false;
    std::vector<std::string> resultRows;
    auto box = [&] { return FindChild(settings, "Button", "対象のみのファイルも表示する(&T)"); };
    auto src = [] { return MainDlg().SrcFileView.Handle; };
    TimedSteps user({
        OnMainWindowAt(ref, des,
                       [&] {
                           main = Application.MainWindow;
                           SetForegroundWindow(main);
                           ClickAt(src(), ListItemPoint(src(), 0));
                           PressKeys({VK_MENU, 'O'});
                       }),
        When([] { return OpenWindowCount("#32768") == 1; }, [] { PressKeys({'E'}); }),
        When([&] { return ActiveIs("環境設定"); }, [&] { settings = GetActiveWindow(); }),
        // Tab to the page strip, then to its third page.
        [&] {
            HWND focus = GetFocus();
            char className[64] = {};
            GetClassNameA(focus, className, sizeof className);
            if (lstrcmpiA(className, "SysTabControl32") != 0) {
                PressKeys({VK_TAB});
                return false;
            }
            PressKeys({VK_RIGHT});
            PressKeys({VK_RIGHT});
            return true;
        },
        When([&] { return IsWindowVisible(box()); },
             [] {
                 PressKeys({VK_MENU, 'T'});
             }),
        When([&] { return SendMessageA(box(), BM_GETCHECK, 0, 0) == BST_CHECKED; },
             [] { PressKeys({VK_RETURN}); }),
        When([&] { return GetActiveWindow() == main; },
             [&] {
                 optionAfterOk = EnvSettings.TargetOnly;
                 ClickAt(src(), ListItemPoint(src(), 0));
                 PressKeys({VK_CONTROL, 'A'});
             }),
        When([] { return MainDlg().SrcFileView.SelCount() == 2; },
             [] {
                 PressKeys({VK_SHIFT, VK_F10});
             }),
        When([] { return OpenWindowCount("#32768") == 1; }, [] { PressKeys({'C'}); }),
        When([] { return ActiveIs("結果"); },
             [&] {
                 result = GetActiveWindow();
                 resultRows = ListCells(FindChild(result, "SysListView32"), 5);
                 PressButton(result, "閉じる(&C)");
             }),
        When([&] { return GetActiveWindow() == main; },
             [&] { PostMessageA(main, WM_CLOSE, 0, 0); }),
    });
    int exitCode = RunProgram();

    ASSERT_EQ("", user.Failure);
    EXPECT_EQ(0, exitCode);
    EXPECT_TRUE(optionAfterOk);
    // Named by the target's folder, where they are.
    std::vector<std::string> expectedRows = {
        "extra.txt|" + des + "\\sub\\|基準なし|基準なし|基準なし",
        "new\\|" + des + "\\sub\\|基準なし|基準なし|基準なし",
        "x.txt|" + des + "\\sub\\new\\|基準なし|基準なし|基準なし",
    };
    EXPECT_EQ(expectedRows, resultRows);
    EXPECT_EQ("1", StoredText("Environment", "TargetOnly"));
    ClearStore();
}
