#include "engine/FileEntries.h"
#include "results/Result.h"
#include "results/TrelkDisp.h"
#include "settings/EnvSettings.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
void Add(const std::string& name, const std::string& folder, DateVerdict d, SizeVerdict s,
         ContentsVerdict c)
{
    AddEntry(name, folder);
    FilePairEntry& e = FileEntries.back();
    e.DateResult = d;
    e.SizeResult = s;
    e.ContentsResult = c;
    if (IsMismatch(e)) ++MismatchCount;
}

// What the list itself shows in a cell (asked through its owner-data callback).
std::string Cell(const ListView& list, int row, int column)
{
    char buffer[512] = {};
    ListView_GetItemText(list.Handle, row, column, buffer, sizeof(buffer));
    return buffer;
}

std::vector<std::string> Column(const ListView& list, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.RowCount(); ++i)
        texts.push_back(Cell(list, i, column));
    return texts;
}

// A user's selection: the state change the list reports to its parent.
void SelectRow(const ListView& list, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list.Handle, LVM_SETITEMSTATE, row >= 0 ? row : -1,
                 reinterpret_cast<LPARAM>(&item));
}

// Notes what the byte-difference view held when it opened, then closes it.
int viewRows = -1;
void CALLBACK CloseView(HWND, UINT, UINT_PTR, DWORD)
{
    HWND view = FindWindowA(nullptr, "表示");
    if (!view || !IsWindowVisible(view)) return;
    HWND list = FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr);
    viewRows = list ? ListView_GetItemCount(list) : -2;
    PostMessageA(view, WM_CLOSE, 0, 0);
}

struct ShellRequest {
    std::string File, Parameters;
    bool NoOwner = false, NoVerb = false, NoFolder = false;
    int Show = 0;
};
std::vector<ShellRequest> shellRequests;
HINSTANCE RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                             INT show)
{
    shellRequests.push_back({file ? file : "", parameters ? parameters : "", owner == nullptr,
                             verb == nullptr, folder == nullptr, show});
    return reinterpret_cast<HINSTANCE>(42);
}
std::vector<std::wstring> wideShellParameters;
HINSTANCE RecordWideShellExecute(HWND, LPCWSTR, LPCWSTR, LPCWSTR parameters, LPCWSTR, INT)
{
    wideShellParameters.push_back(parameters ? parameters : L"");
    return reinterpret_cast<HINSTANCE>(42);
}

// Entries of one run: a mixture of every verdict, a selected folder and a match.
void FillEntries()
{
    ResetEntries();
    MismatchCount = 0;
    Add("b.txt", "", dvNewer, svLarger, cvDiffer);
    Add("", "top\\", dvSame, svSame, cvSame); // a folder the user selected
    Add("a.txt", "sub\\", dvOSError, svSame, cvSame);
    Add("same.txt", "", dvSame, svNotCompared, cvSame); // 0, 1, 0: a match
    Add("B.txt", "sub\\", dvOlder, svSmaller, cvInUse);
    Add("c.txt", "", dvNotFound, svNotFound, cvNotFound);
    Add("d.txt", "", dvNotCompared, svNotCompared, cvNotCompared);
}
} // namespace

TEST(ResultWindow, ListsMismatchesOnlyButCountsEveryEntry)
{
    FillEntries();
    EnvSettings.DispDiscord = true;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    EXPECT_EQ(dialog.Text(), "結果");
    RECT outer;
    GetWindowRect(dialog.Handle, &outer);
    // As high as ever, and as wide as its columns need.
    EXPECT_EQ(outer.bottom - outer.top, 463);
    int columns = 0;
    for (int i = 0; i < dialog.ResultList.ColumnCount(); ++i)
        columns += ListView_GetColumnWidth(dialog.ResultList.Handle, i);
    EXPECT_GT(outer.right - outer.left, columns);
    EXPECT_EQ(dialog.SrcFolderDisp.Text(), "C:\\data");
    EXPECT_EQ(dialog.DesFolderDisp.Text(), "D:\\data");
    // Files only: the selected folder is no file.
    EXPECT_EQ(dialog.FileNumSText.Text(), "6");
    EXPECT_EQ(dialog.NotSameFileSText.Text(), "4");
    // The folder, the match and the all-off entry stay out; rows stand in byte order.
    EXPECT_EQ(Column(dialog.ResultList, 0),
              (std::vector<std::string>{"B.txt", "a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(Cell(dialog.ResultList, 0, 1), "sub\\");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 2), "古い");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 3), "小さい");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 4), "使用中");
    EXPECT_FALSE(dialog.TrelkDispButton.Enabled());
    EXPECT_TRUE(dialog.OKButton.Enabled());
    EXPECT_EQ(dialog.OKButton.Text(), "閉じる(&C)");
    EXPECT_EQ(dialog.SaveButton.Text(), "結果保存(&S)");
    // The buttons (テキスト比較 among them) stand as a group 377 wide at
    // (outer width - 377) / 2.
    EXPECT_EQ(dialog.OKButton.Left(), (dialog.Width() - 377) / 2 + 12);
    SetWindowPos(dialog.Handle, nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(dialog.OKButton.Left(), (800 - 377) / 2 + 12);
    EXPECT_EQ(dialog.TextDiffButton.Left(), (800 - 377) / 2 + 180);
    EXPECT_EQ(dialog.SaveButton.Left(), (800 - 377) / 2 + 288);
}

TEST(ResultWindow, SortsEachColumnByItsTextsWithItsOwnDirection)
{
    FillEntries();
    EnvSettings.DispDiscord = false;
    ResultSortDirections[0] = -1; // left over from an earlier window
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    EXPECT_EQ(dialog.FileNumSText.Text(), "6");
    // The selected folder has no name and comes first; upper case before lower case.
    EXPECT_EQ(
        Column(dialog.ResultList, 0),
        (std::vector<std::string>{"", "B.txt", "a.txt", "b.txt", "c.txt", "d.txt", "same.txt"}));
    EXPECT_EQ(Cell(dialog.ResultList, 0, 1), "top\\");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 2), "一致");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 4), "一致");

    dialog.ResultListColumnClick(0); // the first click reverses the name order
    EXPECT_EQ(
        Column(dialog.ResultList, 0),
        (std::vector<std::string>{"same.txt", "d.txt", "c.txt", "b.txt", "a.txt", "B.txt", ""}));

    auto ascending = [&](int column) {
        dialog.ResultListColumnClick(column); // descending
        dialog.ResultListColumnClick(column); // ascending
        std::vector<std::string> texts = Column(dialog.ResultList, column);
        std::vector<std::string> distinct;
        for (const std::string& t : texts)
            if (distinct.empty() || distinct.back() != t) distinct.push_back(t);
        return distinct;
    };
    EXPECT_EQ(ascending(2),
              (std::vector<std::string>{"OS誤差", "－", "一致", "見つからない", "古い", "新しい"}));
    EXPECT_EQ(ascending(3),
              (std::vector<std::string>{"－", "一致", "見つからない", "小さい", "大きい"}));
    EXPECT_EQ(ascending(4),
              (std::vector<std::string>{"－", "一致", "見つからない", "使用中", "不一致"}));

    // サイズ now stands at +1: the next click puts 大きい first, the one after "－".
    dialog.ResultListColumnClick(3);
    EXPECT_EQ(Cell(dialog.ResultList, 0, 3), "大きい");
    dialog.ResultListColumnClick(3);
    EXPECT_EQ(Cell(dialog.ResultList, 0, 3), "－");
    // The name column kept its own direction (-1): its next click is ascending.
    dialog.ResultListColumnClick(0);
    EXPECT_EQ(Cell(dialog.ResultList, 0, 0), "");
    EXPECT_EQ(Cell(dialog.ResultList, 6, 0), "same.txt");
}

TEST(ResultWindow, CompareDisplayOnlyForDifferingContents)
{
    FillEntries();
    EnvSettings.DispDiscord = false;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    auto rowOf = [&](const std::string& name) {
        std::vector<std::string> names = Column(dialog.ResultList, 0);
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    };
    SelectRow(dialog.ResultList, rowOf("b.txt")); // 不一致
    EXPECT_TRUE(dialog.TrelkDispButton.Enabled());
    EXPECT_TRUE(dialog.TrelkDispPMenuItemEnabled());
    SelectRow(dialog.ResultList, rowOf("B.txt")); // 使用中
    EXPECT_FALSE(dialog.TrelkDispButton.Enabled());
    EXPECT_FALSE(dialog.TrelkDispPMenuItemEnabled());
    SelectRow(dialog.ResultList, rowOf("b.txt"));
    SelectRow(dialog.ResultList, rowOf("a.txt")); // OS誤差 with contents 一致
    EXPECT_FALSE(dialog.TrelkDispButton.Enabled());
    SelectRow(dialog.ResultList, rowOf("b.txt"));
    SelectRow(dialog.ResultList, -1); // nothing selected
    EXPECT_FALSE(dialog.TrelkDispButton.Enabled());
    EXPECT_FALSE(dialog.TrelkDispPMenuItemEnabled());

    // A sort keeps the selection on its row, and the command with it.
    SelectRow(dialog.ResultList, rowOf("b.txt"));
    dialog.ResultListColumnClick(0);
    ASSERT_NE(dialog.SelectedRow(), nullptr);
    EXPECT_EQ(dialog.SelectedRow()->Name, "b.txt");
    EXPECT_TRUE(dialog.TrelkDispButton.Enabled());
}

TEST(ResultWindow, ExplorerOpensTheFolderOfTheRowOnItsSide)
{
    FillEntries();
    EnvSettings.DispDiscord = false;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    ShellExecuteFunction original = ShellExecuteRequest;
    ShellExecuteRequest = RecordShellExecute;
    shellRequests.clear();
    dialog.ExplorerPMenuItemClick(); // no row selected: nothing asked
    EXPECT_TRUE(shellRequests.empty());

    std::vector<std::string> names = Column(dialog.ResultList, 0);
    SelectRow(dialog.ResultList,
              static_cast<int>(std::find(names.begin(), names.end(), "a.txt") - names.begin()));
    dialog.ExplorerPMenuItemClick();
    SelectRow(dialog.ResultList,
              static_cast<int>(std::find(names.begin(), names.end(), "c.txt") - names.begin()));
    dialog.ExplorerPMenuItemClick();

    // A reference folder that only its real path reaches ("caf?" names nothing) is
    // opened by that path; the wide request is made only then.
    TResultDlg real;
    ASSERT_TRUE(real.Open("C:\\caf?", "D:\\data", L"C:\\caf\x00E9", L""));
    ShellExecuteWideFunction originalWide = ShellExecuteWideRequest;
    ShellExecuteWideRequest = RecordWideShellExecute;
    wideShellParameters.clear();
    SelectRow(real.ResultList,
              static_cast<int>(std::find(names.begin(), names.end(), "a.txt") - names.begin()));
    real.ExplorerPMenuItemClick();
    ShellExecuteWideRequest = originalWide;
    EXPECT_EQ(std::vector<std::wstring>{L"/e,C:\\caf\x00E9\\sub\\"}, wideShellParameters);

    // Drives compared from My Computer: no reference folder, the row's folder is the path.
    ResetEntries();
    Add("x.txt", "M:\\sub\\", dvNewer, svSame, cvSame);
    TResultDlg drives;
    ASSERT_TRUE(drives.Open("", ""));
    SelectRow(drives.ResultList, 0);
    drives.ExplorerPMenuItemClick();
    // What only the target holds opens the target's folder.
    ResetEntries();
    AddTargetOnlyEntry("n.txt", "sub\\", L"", false);
    TResultDlg targetOnly;
    ASSERT_TRUE(targetOnly.Open("C:\\data", "D:\\data"));
    SelectRow(targetOnly.ResultList, 0);
    targetOnly.ExplorerPMenuItemClick();
    ShellExecuteRequest = original;
    ASSERT_EQ(shellRequests.size(), 4u);
    EXPECT_EQ(shellRequests[3].Parameters, "/e,D:\\data\\sub\\");
    EXPECT_EQ(shellRequests[2].Parameters, "/e,M:\\sub\\");
    EXPECT_EQ(shellRequests[0].File, "explorer");
    EXPECT_EQ(shellRequests[0].Parameters, "/e,C:\\data\\sub\\");
    EXPECT_TRUE(shellRequests[0].NoOwner);
    EXPECT_TRUE(shellRequests[0].NoVerb);
    EXPECT_TRUE(shellRequests[0].NoFolder);
    EXPECT_EQ(shellRequests[0].Show, SW_SHOWNORMAL);
    EXPECT_EQ(shellRequests[1].Parameters, "/e,C:\\data\\");
}

TEST(ResultWindow, CompareDisplayOpensTheDumpOrRefusesALockedFile)
{
    TempFolder src, des;
    src.WriteFile("x.bin", "ABC");
    des.WriteFile("x.bin", "AXC");
    ResetEntries();
    MismatchCount = 0;
    Add("x.bin", "", dvSame, svSame, cvDiffer);
    EnvSettings.DispDiscord = true;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open(src.Path, des.Path));
    SelectRow(dialog.ResultList, 0);
    ASSERT_TRUE(dialog.TrelkDispButton.Enabled());
    for (const TempFolder* locked : {&src, &des}) {
        HANDLE h = CreateFileA((*locked / "x.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        BoxAnswerer answerer({IDOK});
        dialog.TrelkDispButtonClick();
        CloseHandle(h);
        ASSERT_EQ(answerer.Seen.size(), 1u);
        EXPECT_EQ(answerer.Seen[0].Text, "ファイルが使用中のため、表示できません。");
        EXPECT_EQ(answerer.Seen[0].Caption, "情報");
        EXPECT_TRUE(answerer.Seen[0].HasIcon);
    }
    { // a target gone since the run is missing, not in use
        DeleteFileA((des / "x.bin").c_str());
        BoxAnswerer answerer({IDOK});
        dialog.TrelkDispButtonClick();
        des.WriteFile("x.bin", "AXC");
        ASSERT_EQ(answerer.Seen.size(), 1u);
        EXPECT_EQ(answerer.Seen[0].Text, "ファイルが見つからないため、表示できません。");
    }
    // Both free: the view opens over the result window with the one differing byte.
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseView);
    viewRows = -1;
    dialog.TrelkDispButtonClick();
    KillTimer(nullptr, timer);
    EXPECT_EQ(viewRows, 1);
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle));

    // More differing bytes than the view holds: it says so and shows the first ones.
    src.WriteFile("x.bin", std::string(5000, 'a'));
    des.WriteFile("x.bin", std::string(5000, 'b'));
    size_t limit = ByteDifferenceLimit;
    ByteDifferenceLimit = 1000;
    BoxAnswerer answerer({IDOK});
    timer = SetTimer(nullptr, 0, 50, CloseView);
    dialog.TrelkDispButtonClick();
    KillTimer(nullptr, timer);
    ByteDifferenceLimit = limit;
    ASSERT_EQ(answerer.Seen.size(), 1u);
    EXPECT_EQ(answerer.Seen[0].Text, "相違バイト数が多すぎるため、最初の1000個だけを表示します。");
    EXPECT_EQ(answerer.Seen[0].Caption, "情報");
    EXPECT_EQ(viewRows, 1000);
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle));
}

// The sort goes a few bytes at a time; it must give what one byte-wise stable sort gives,
// for texts with long common starts, prefixes of each other, high bytes and equal texts.
TEST(ResultRowsSort, OrdersAsTheByteWiseComparisonAndKeepsEqualTextsInOrder)
{
    ResetEntries();
    const std::string stems[] = {"",         "a",          "ab",          "abcd",      "abcdefgh",
                                 "abcdefghi", "abcdefghij", "abcdefghijkl", "ABCD",     "\x83\x5C",
                                 "\xFF",      "zz"};
    for (int i = 0; i < 6000; ++i) {
        std::string tail = i % 3 ? std::to_string(i % 41) : "";
        Add(stems[i % 12] + tail, "top\\sub" + std::to_string(i % 300) + "\\",
            static_cast<DateVerdict>(i % 6), static_cast<SizeVerdict>(i % 5),
            static_cast<ContentsVerdict>(i % 7 % 5));
    }
    ResultRows rows = ListedRows(FileEntries, EntryCount, false);
    // One sort after the other, each from the order the previous one left.
    for (int column : {0, 1, 2, 3, 4, 0, 3, 1})
        for (int direction : {1, -1}) {
            ResultRows expected = rows;
            std::stable_sort(expected.begin(), expected.end(),
                             [&](const FilePairEntry* a, const FilePairEntry* b) {
                                 return CompareTexts(ResultRowText(*a, column),
                                                     ResultRowText(*b, column)) *
                                            direction <
                                        0;
                             });
            SortResultRows(rows, column, direction);
            EXPECT_TRUE(rows == expected) << "column " << column << " direction " << direction;
        }
    ReleaseEntries();
}

TEST(ResultWindow, HoldsTheWholeEntryLimit)
{
    // Filled directly: the records' own growth rule is not what this test is about.
    ResetEntries();
    FileEntries.reserve(MaxEntryCount + 1);
    for (int i = 0; i <= MaxEntryCount; ++i) {
        FileEntries.push_back({"f" + std::to_string(MaxEntryCount - i) + ".txt", ""});
        FileEntries.back().ContentsResult = i % 2 ? cvDiffer : cvSame;
    }
    EntryCount = MaxEntryCount + 1;
    MismatchCount = MaxEntryCount / 2;
    ASSERT_EQ(EntryCount, MaxEntryCount + 1);
    EnvSettings.DispDiscord = false;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    EXPECT_EQ(dialog.ResultList.RowCount(), MaxEntryCount + 1);
    EXPECT_EQ(dialog.FileNumSText.Text(), "200001");
    EXPECT_EQ(dialog.NotSameFileSText.Text(), "100000");
    EXPECT_EQ(Cell(dialog.ResultList, 0, 0), "f0.txt");
    dialog.ResultListColumnClick(4); // descending: 不一致 before 一致
    EXPECT_EQ(Cell(dialog.ResultList, 0, 4), "不一致");
    EXPECT_EQ(Cell(dialog.ResultList, MaxEntryCount, 4), "一致");
    ReleaseEntries();
}
