// Files whose names the code page cannot hold, or whose paths are too long for it, are
// compared by their real names or said to be uncompared, never taken for another file.
#include "engine/CompDispView.h"
#include "engine/Util.h"
#include "results/Result.h"
#include "results/ResultExport.h"
#include "results/TrelkDisp.h"
#include "tests/common/TempFolder.h"
#include "tests/run/RunFakes.h"
#include "toolkit/CodePage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {
struct RealNamesTest : ::testing::Test {
    SettingsRestorer settings;
    TempFolder src, des;
    RecordingView view;

    void SetUp() override
    {
        // Both sides are written within moments of each other; times are not the point.
        EnvSettings.CompDate = false;
        EnvSettings.CompSize = EnvSettings.CompContents = true;
        ResetEntries();
    }
    void TearDown() override { ReleaseEntries(); }
    void Run() { RunComparison(WithoutSlash(src.Path), WithoutSlash(des.Path), view); }

    // Folder + name of each record -> its three codes.
    std::map<std::string, std::string> Verdicts() const
    {
        std::map<std::string, std::string> verdicts;
        for (int i = 0; i < EntryCount; ++i) {
            const FilePairEntry& e = FileEntries[static_cast<size_t>(i)];
            std::string& codes = verdicts[e.Folder + e.Name];
            if (!codes.empty()) codes += " | ";
            codes += std::to_string(e.DateResult) + std::to_string(e.SizeResult) +
                     std::to_string(e.ContentsResult);
        }
        return verdicts;
    }
};
} // namespace

TEST_F(RealNamesTest, NamesOutsideTheCodePageAreComparedWithTheirOwnCounterparts)
{
    // Top-level items as the reference pane lists them, and the same kinds of names
    // inside a selected folder whose own name the code page cannot hold.
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile(L"cafe.txt", "B");
        side->WriteFile(L"\xD55C\xAE00.txt", "same");          // 한글.txt
        side->WriteFile(L"\xD55C\\\xD83D\xDE00.txt", "emoji"); // 한\😀.txt
    }
    src.WriteFile(L"sub\\\xD55C\xAE00.txt", "1"); // sub\한글.txt
    des.WriteFile(L"sub\\\xD55C\xAE00.txt", "2");
    src.WriteFile(L"caf\x00E9.txt", "A"); // café.txt, "cafe.txt" once best-fitted
    des.WriteFile(L"caf\x00E9.txt", "B");
    src.WriteFile(L"\xD55C\\\xC6D0.txt", "only here"); // 한\원.txt
    src.WriteFile(L"\xD55C\\\xD83D\xDE01.txt", "1");   // 한\😁.txt
    des.WriteFile(L"\xD55C\\\xD83D\xDE01.txt", "22");

    FolderPane pane;
    pane.Folder = WithoutSlash(src.Path);
    pane.Add("cafe.txt");
    pane.Add(std::wstring(L"caf\x00E9.txt"));
    pane.Add(std::wstring(L"\xD55C\xAE00.txt"));
    pane.Add(std::wstring(L"\xD55C"));
    pane.Add("sub");
    CollectFiles(pane);
    Run();

    std::map<std::string, std::string> expected{
        {"cafe.txt", "100"},        // its own counterpart, equal
        {"caf?.txt", "102"},        // differs from its own counterpart
        {"??.txt", "100"},          // 한글.txt
        {"?\\", "100"},             // the folder's own record: date off reads "－"
        {"?\\?.txt", "143"},        // 원.txt, missing on the target side
        {"?\\??.txt", "100 | 122"}, // 😀.txt equal; 😁.txt larger
        {"sub\\", "100"},
        {"sub\\??.txt", "102"},
    };
    EXPECT_EQ(expected, Verdicts());
    EXPECT_EQ(4, MismatchCount);
    // The progress window shows the code-page names.
    EXPECT_EQ(1, std::count(view.Calls.begin(), view.Calls.end(), "Src " + src.Path + "caf?.txt"));

    // The CSV names them as the list shows them: "?" marks, no look-alike.
    ResultRows rows = ListedRows(FileEntries, EntryCount, true);
    SortResultRows(rows, rcName, 1);
    std::string base = WithoutSlash(src.Path);
    EXPECT_EQ("ファイル名,日付,サイズ,内容\r\n" + base +
                  "\\?\\?.txt,－,見つからない,見つからない\r\n" + base +
                  "\\?\\??.txt,－,大きい,不一致\r\n" + base + "\\sub\\??.txt,－,一致,不一致\r\n" +
                  base + "\\caf?.txt,－,一致,不一致\r\n",
              ExportText(RunFolders{base}, rows));

    // The byte view reaches the pair by the real names too.
    const FilePairEntry* cafe = nullptr;
    for (int i = 0; i < EntryCount; ++i)
        if (FileEntries[static_cast<size_t>(i)].Name == "caf?.txt") cafe = &FileEntries[i];
    ASSERT_NE(nullptr, cafe);
    ByteDifferenceList differences;
    DumpDifferences(RecordPath(src.Path, "", cafe->Name, cafe->RealPath),
                    RecordPath(des.Path, "", cafe->Name, cafe->RealPath), differences);
    ASSERT_EQ(1u, differences.size());
    EXPECT_EQ('A', differences[0].Reference);
    EXPECT_EQ('B', differences[0].Target);
}

TEST_F(RealNamesTest, LongPathsAreComparedAndPathsPastThePlatformsReachAreNot)
{
    // Past MAX_PATH: the wide calls reach it.
    std::wstring longFolder;
    for (int i = 0; i < 6; ++i)
        longFolder += std::wstring(50, L'a' + i) + L"\\";
    src.WriteFile(longFolder + L"f.txt", "12345");
    des.WriteFile(longFolder + L"f.txt", "12345");
    src.WriteFile(longFolder + L"g.txt", "12345");
    des.WriteFile(longFolder + L"g.txt", "12x45");

    // Past what the file system under the platform takes (4096 bytes of a Linux path
    // here): made in two halves and moved together, as nothing can be made that deep.
    std::wstring deepFolder = L"deep\\";
    for (int i = 0; i < 37; ++i)
        deepFolder += std::wstring(49, L'0' + i % 10) + L"\\";
    std::wstring lower = L"lower\\";
    for (int i = 0; i < 39; ++i)
        lower += std::wstring(49, L'a' + i % 26) + L"\\";
    src.WriteFile(deepFolder + L"x", "");
    des.WriteFile(deepFolder + L"x", "");
    std::wstring file = src.WriteFile(lower + std::wstring(240, L'z') + L".txt", "deep");
    std::wstring from = L"\\\\?\\" + WideOf(src.Path) + L"lower";
    std::wstring to = L"\\\\?\\" + WideOf(src.Path) + deepFolder + L"lower";
    ASSERT_TRUE(MoveFileW(from.c_str(), to.c_str())) << GetLastError();

    FolderPane pane;
    pane.Folder = WithoutSlash(src.Path);
    pane.Add("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa");
    pane.Add("deep");
    CollectFiles(pane);
    Run();
    MoveFileW(to.c_str(), from.c_str()); // so the temporary folder can go

    int notCompared = 0, compared = 0, missingFolders = 0;
    for (int i = 0; i < EntryCount; ++i) {
        const FilePairEntry& e = FileEntries[static_cast<size_t>(i)];
        // The target has no "lower" at all: each folder row below says so.
        if (e.IsFolder && (e.Name == "lower\\" || e.Folder.find("lower\\") != std::string::npos)) {
            EXPECT_EQ(cvNotFound, e.ContentsResult) << e.Folder << e.Name;
            ++missingFolders;
        }
        if (e.Name == "f.txt") {
            EXPECT_EQ(0, e.SizeResult + e.ContentsResult);
            ++compared;
        } else if (e.Name == "g.txt") {
            EXPECT_EQ(cvDiffer, e.ContentsResult);
            ++compared;
        } else if (e.Name.size() == 244) {
            EXPECT_EQ(dvNotCompared, e.DateResult);
            EXPECT_EQ(svNotCompared, e.SizeResult);
            EXPECT_EQ(cvNotCompared, e.ContentsResult);
            ++notCompared;
        }
    }
    EXPECT_EQ(2, compared);
    EXPECT_EQ(1, notCompared);
    EXPECT_EQ(40, missingFolders);
    EXPECT_EQ(1 + missingFolders, MismatchCount);
}

namespace {
std::wstring ListCell(const ListView& list, int row, int column)
{
    wchar_t text[512] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list.Handle, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring ShownText(const Control& control)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(control.Handle, text, 1024);
    return text;
}
} // namespace

TEST_F(RealNamesTest, WindowsShowNamesAsTheFileSystemSpellsThem)
{
    struct Case {
        const wchar_t* path; // relative, as written on both sides
        const wchar_t* name; // 名前 as shown
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"caf\x00E9.txt", L"caf\x00E9.txt", L""},                         // café.txt
        {L"caf\x00E8.txt", L"caf\x00E8.txt", L""},                         // cafè.txt
        {L"smile\xD83D\xDE00.txt", L"smile\xD83D\xDE00.txt", L""},         // smile😀.txt
        {L"\xD55C\xAD6D\xC5B4\\a.txt", L"a.txt", L"\xD55C\xAD6D\xC5B4\\"}, // 한국어\a.txt
        {L"日本語.txt", L"日本語.txt", L""},
    };
    FolderPane pane;
    pane.Folder = WithoutSlash(src.Path);
    for (const Case& c : cases) {
        src.WriteFile(c.path, "A");
        des.WriteFile(c.path, "B");
        std::wstring top(c.path);
        pane.Add(top.substr(0, top.find(L'\\')));
    }
    CollectFiles(pane);
    Run();
    EnvSettings.DispDiscord = true;

    TResultDlg results;
    ASSERT_TRUE(results.Open(WithoutSlash(src.Path), WithoutSlash(des.Path)));
    ASSERT_EQ(5, results.ResultList.RowCount());
    for (const Case& c : cases) {
        int found = 0;
        for (int row = 0; row < results.ResultList.RowCount(); ++row) {
            if (ListCell(results.ResultList, row, rcName) != c.name) continue;
            ++found;
            EXPECT_EQ(c.folder, ListCell(results.ResultList, row, rcFolder)) << c.path;
            EXPECT_EQ(L"不一致", ListCell(results.ResultList, row, rcContents)) << c.path;

            // The byte view's and the progress window's labels name the same files.
            const FilePairEntry& e = *results.Rows[static_cast<size_t>(row)];
            FilePath reference = RecordPath(src.Path, e.Folder, e.Name, e.RealPath);
            FilePath target = RecordPath(des.Path, e.Folder, e.Name, e.RealPath);
            TTrelkDispDlg view;
            ASSERT_TRUE(view.Open(results.Handle));
            view.Fill(reference, target);
            EXPECT_EQ(WideOf(src.Path) + c.path, ShownText(view.SrcFileDisp)) << c.path;
            EXPECT_EQ(WideOf(des.Path) + c.path, ShownText(view.DesFileDisp)) << c.path;
            CompDispView progress;
            progress.Open();
            progress.SetSrcFilePath(reference);
            progress.SetDesFilePath(target);
            progress.Flush();
            EXPECT_EQ(WideOf(src.Path) + c.path, ShownText(progress.Dialog->SrcFileDisp)) << c.path;
            EXPECT_EQ(WideOf(des.Path) + c.path, ShownText(progress.Dialog->DesFileDisp)) << c.path;
        }
        EXPECT_EQ(1, found) << c.path;
    }
}
