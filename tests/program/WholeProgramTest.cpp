// The whole program as a user meets it: started as the executable starts it, driven
// only through its windows' messages, closed, and its registry key read back.
#include "mainwindow/Program.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Application.h"

#include <dlgs.h>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
std::string TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

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
    if (!search->Caption.empty() && TextOf(child) != search->Caption) return TRUE;
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

// Holds the keys down in order and lets them go in reverse, as the keyboard sends them.
void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool IsDialogBox(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

// A user who acts step by step: each step waits until its window is there, then acts
// by posting messages, so the windows' own modal loops run as they would for a person.
// Ticks come from a thread timer, which every modal loop of the thread dispatches.
struct ScriptedUser {
    struct Step {
        std::string What;
        std::function<bool()> Ready;
        std::function<void()> Act;
    };
    std::vector<Step> Steps;
    std::function<std::string()> FailureDetail = [] { return std::string(); };
    size_t Next = 0;
    std::string Failure;
    DWORD Started = GetTickCount();

    void Then(std::string what, std::function<bool()> ready, std::function<void()> act)
    {
        Steps.push_back({std::move(what), std::move(ready), std::move(act)});
    }

    void Tick()
    {
        if (!Failure.empty() || Next == Steps.size()) {
            if (!Failure.empty()) GiveUp();
            return;
        }
        if (GetTickCount() - Started > 60000) {
            Failure = "timed out waiting for: " + Steps[Next].What + " (" + FailureDetail() + ")";
            return;
        }
        if (!Steps[Next].Ready()) return;
        Steps[Next++].Act();
    }

    // Closes whatever is open, so that the program ends and the test can report.
    static void GiveUp()
    {
        HWND active = GetActiveWindow();
        if (!active) active = Application.MainWindow;
        if (!active) return;
        for (int id : {IDCANCEL, IDNO, IDOK})
            if (GetDlgItem(active, id)) {
                PostMessageA(active, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                return;
            }
        PostMessageA(active, WM_CLOSE, 0, 0);
    }

    static ScriptedUser* Current;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { Current->Tick(); }
};
ScriptedUser* ScriptedUser::Current = nullptr;

TMainDlg& MainDlg()
{
    return *dynamic_cast<TMainDlg*>(FormOf(Application.MainWindow));
}

bool ActiveIs(const std::string& caption)
{
    HWND active = GetActiveWindow();
    return active && TextOf(active) == caption;
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

    ScriptedUser user;
    HWND main = nullptr, result = nullptr;
    user.Then(
        "the main window",
        [] { return Application.MainWindow && IsWindowVisible(Application.MainWindow); },
        [&] {
            main = Application.MainWindow;
            MainDlg().SrcFolderView.SelectPath(ref);
            MainDlg().DesFolderView.SelectPath(des);
            MainDlg().SrcFileView.SetFocus();
            // Ctrl+A as typed: through the program's own accelerator.
            SetForegroundWindow(main);
            PressKeys({VK_CONTROL, 'A'});
        });
    user.Then(
        "everything selected", [] { return MainDlg().SrcFileView.SelCount() == 6; },
        [&] {
            statusAfterSelectAll = MainDlg().StatusBar.PanelText(0);
            ChooseCommand(main, CompMenuItem);
        });
    user.Then(
        "the result window", [] { return ActiveIs("結果"); },
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
        });
    user.Then(
        "the byte-difference view", [] { return ActiveIs("表示"); },
        [&] {
            HWND view = GetActiveWindow();
            dumpRows = ListCells(FindChild(view, "SysListView32"), 7);
            PressButton(view, "OK");
        });
    user.Then(
        "back in the result window", [&] { return GetActiveWindow() == result; },
        [&] { PressButton(result, "結果保存(&S)"); });
    user.Then(
        "the save dialog",
        [&] {
            HWND active = GetActiveWindow();
            return active != result && IsDialogBox(active) && GetDlgItem(active, cmb13);
        },
        [&] {
            HWND dialog = GetActiveWindow();
            SetWindowTextA(GetDlgItem(dialog, cmb13), csv.c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        });
    user.Then(
        "the saved notice",
        [&] {
            HWND active = GetActiveWindow();
            return IsDialogBox(active) && TextOf(GetDlgItem(active, 0xFFFF)) == "保存しました";
        },
        [&] {
            savedWhileOpen = ReadWholeFile(csv);
            PostMessageA(GetActiveWindow(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    user.Then(
        "the result window once more", [&] { return GetActiveWindow() == result; },
        [&] { PressButton(result, "閉じる(&C)"); });
    user.Then(
        "the main window once more", [&] { return GetActiveWindow() == main; },
        [&] { PostMessageA(main, WM_CLOSE, 0, 0); });

    user.FailureDetail = [] {
        return "active: " + TextOf(GetActiveWindow()) +
               ", selected: " + std::to_string(MainDlg().SrcFileView.SelCount()) + " of " +
               std::to_string(MainDlg().SrcFileView.ItemCount());
    };
    ScriptedUser::Current = &user;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ScriptedUser::OnTimer);
    int exitCode = RunProgram();
    KillTimer(nullptr, timer);
    ScriptedUser::Current = nullptr;

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
