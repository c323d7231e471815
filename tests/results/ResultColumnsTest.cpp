// The result window's value columns, its counts by kind and its header texts.
#include "engine/FileEntries.h"
#include "results/Result.h"
#include "settings/EnvSettings.h"
#include "tests/common/Accessibility.h"

#include <array>
#include <gtest/gtest.h>

namespace {
// 2024-01-02 03:04:06 UTC: 12:04:06 in Tokyo, where the tests run.
uint64_t Utc(int second)
{
    SYSTEMTIME t{2024, 1, 0, 2, 3, 4, static_cast<WORD>(second), 0};
    FILETIME time{};
    SystemTimeToFileTime(&t, &time);
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct Record {
    const char* Name;
    bool Reference, Target; // facts the run found
    int64_t Size, TargetSize;
    int Second, TargetSecond;
    bool TargetOnly = false, IsFolder = false, NotCompared = false;
};

void Add(const Record& r)
{
    AddEntry(r.Name, "sub\\");
    FilePairEntry& e = FileEntries.back();
    e.HasFacts = r.Reference;
    e.HasTargetFacts = r.Target;
    e.Size = r.Size;
    e.TargetSize = r.TargetSize;
    e.LastWrite = Utc(r.Second);
    e.TargetLastWrite = Utc(r.TargetSecond);
    e.TargetOnly = r.TargetOnly;
    e.IsFolder = r.IsFolder;
    e.NotCompared = r.NotCompared;
    if (r.TargetOnly) {
        e.DateResult = dvNoReference;
        e.SizeResult = svNoReference;
        e.ContentsResult = cvNoReference;
    }
}

std::string Cell(const ListView& list, int row, int column)
{
    char buffer[512] = {};
    ListView_GetItemText(list.Handle, row, column, buffer, sizeof(buffer));
    return buffer;
}

int RowNamed(const ListView& list, const std::string& name)
{
    for (int i = 0; i < list.RowCount(); ++i)
        if (Cell(list, i, rcName) == name) return i;
    return -1;
}
} // namespace

TEST(ResultColumns, ShowBothSidesDatesAndSizesWhereTheRunFoundThem)
{
    const Record records[] = {
        {"both.txt", true, true, 1234567, 0, 6, 16},
        {"gone.txt", true, false, 5, 0, 8, 0},
        {"new.txt", false, true, 0, 2048, 0, 10, true},
        {"dir\\", true, true, 0, 0, 6, 6, false, true},
        {"locked.txt", false, false, 0, 0, 0, 0, false, false, true},
    };
    struct Expected {
        const char* Name;
        std::string Folder, SrcDate, DesDate, SrcSize, DesSize;
    } expected[] = {
        {"both.txt", "sub\\", "2024/01/02 12:04:06", "2024/01/02 12:04:16", "1,234,567", "0"},
        {"gone.txt", "sub\\", "2024/01/02 12:04:08", "", "5", ""},
        // What only the target holds is named by the target's folder.
        {"new.txt", "D:\\data\\sub\\", "", "2024/01/02 12:04:10", "", "2,048"},
        {"dir\\", "sub\\", "", "", "", ""},
        {"locked.txt", "sub\\", "", "", "", ""},
    };
    ResetEntries();
    for (const Record& r : records)
        Add(r);
    EnvSettings.DispDiscord = false;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    const ListView& list = dialog.ResultList;
    EXPECT_EQ(list.ColumnCount(), 9);
    const char* captions[] = {"名前",       "フォルダ名", "日時",         "サイズ",      "内容",
                              "基準の日時", "対象の日時", "基準のサイズ", "対象のサイズ"};
    HWND header = ListView_GetHeader(list.Handle);
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(HeaderItemText(header, c), captions[c]);
    for (const Expected& e : expected) {
        int row = RowNamed(list, e.Name);
        ASSERT_GE(row, 0) << e.Name;
        EXPECT_EQ(Cell(list, row, rcFolder), e.Folder) << e.Name;
        EXPECT_EQ(Cell(list, row, rcSrcDate), e.SrcDate) << e.Name;
        EXPECT_EQ(Cell(list, row, rcDesDate), e.DesDate) << e.Name;
        EXPECT_EQ(Cell(list, row, rcSrcSize), e.SrcSize) << e.Name;
        EXPECT_EQ(Cell(list, row, rcDesSize), e.DesSize) << e.Name;
    }
    ReleaseEntries();
}

// The value columns sort by value, not by text ("10" after "9"); rows without a value
// stand first in ascending order; the arrow shows the column and its direction.
TEST(ResultColumns, ValueColumnsSortByTheirValuesUnderAnArrow)
{
    ResetEntries();
    Add({"nine.txt", true, true, 9, 9, 6, 6});
    Add({"ten.txt", true, true, 10, 10, 4, 4});
    Add({"none.txt", true, false, 1, 0, 8, 0});
    Add({"big.txt", true, true, 2000000000000, 2000000000000, 2, 2});
    EnvSettings.DispDiscord = false;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    const ListView& list = dialog.ResultList;
    EXPECT_EQ(list.SortArrowColumn(), rcName);
    EXPECT_EQ(list.SortArrowDirection(), 1);
    auto names = [&] {
        std::vector<std::string> order;
        for (int i = 0; i < list.RowCount(); ++i)
            order.push_back(Cell(list, i, rcName));
        return order;
    };
    struct Click {
        int Column, Direction;
        std::vector<std::string> Order;
    } clicks[] = {
        {rcDesSize, -1, {"big.txt", "ten.txt", "nine.txt", "none.txt"}},
        {rcDesSize, 1, {"none.txt", "nine.txt", "ten.txt", "big.txt"}},
        {rcSrcDate, -1, {"none.txt", "nine.txt", "ten.txt", "big.txt"}},
        {rcSrcSize, -1, {"big.txt", "ten.txt", "nine.txt", "none.txt"}},
        {rcDesDate, -1, {"nine.txt", "ten.txt", "big.txt", "none.txt"}},
    };
    for (const Click& c : clicks) {
        dialog.ResultListColumnClick(c.Column);
        EXPECT_EQ(names(), c.Order) << "column " << c.Column;
        EXPECT_EQ(list.SortArrowColumn(), c.Column);
        EXPECT_EQ(list.SortArrowDirection(), c.Direction) << "column " << c.Column;
    }
    ReleaseEntries();
}

TEST(ResultCounts, CountFilesByKind)
{
    struct Case {
        const char* What;
        std::vector<Record> Records;
        std::vector<std::array<int, 3>> Verdicts; // date, size, contents of each record
        RunCounts Expected;                       // files, mismatches, by kind
    } cases[] = {
        {"a selected folder and a sub-folder are no files",
         {{"", false, false, 0, 0, 0, 0, false, true},
          {"d\\", false, false, 0, 0, 0, 0, false, true}},
         {{dvSame, svSame, cvSame}, {dvNotFound, svNotFound, cvNotFound}},
         {0, 0, 0, 0, 0, 0}},
        {"changed, missing, only in the target, not compared, equal",
         {{"a", true, true, 1, 2, 0, 0},
          {"b", true, false, 1, 0, 0, 0},
          {"c", false, true, 0, 1, 0, 0, true},
          {"d", false, false, 0, 0, 0, 0, false, false, true},
          {"e", true, true, 1, 1, 0, 0}},
         {{dvOSError, svSame, cvSame},
          {dvNotFound, svNotFound, cvNotFound},
          {dvNoReference, svNoReference, cvNoReference},
          {dvNotCompared, svNotCompared, cvNotCompared},
          {dvSame, svSame, cvSame}},
         {5, 3, 1, 1, 1, 1}},
        {"a missing target with the date check off is still missing",
         {{"a", true, false, 1, 0, 0, 0}},
         {{dvNotCompared, svNotFound, cvNotFound}},
         {1, 1, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        ResetEntries();
        for (size_t i = 0; i < c.Records.size(); ++i) {
            Add(c.Records[i]);
            FilePairEntry& e = FileEntries.back();
            e.DateResult = static_cast<DateVerdict>(c.Verdicts[i][0]);
            e.SizeResult = static_cast<SizeVerdict>(c.Verdicts[i][1]);
            e.ContentsResult = static_cast<ContentsVerdict>(c.Verdicts[i][2]);
        }
        RunCounts n = CountRecords(FileEntries, EntryCount);
        const RunCounts& x = c.Expected;
        EXPECT_EQ(std::vector<int>(
                      {n.Files, n.Mismatches, n.Changed, n.SrcOnly, n.DesOnly, n.Uncompared}),
                  std::vector<int>(
                      {x.Files, x.Mismatches, x.Changed, x.SrcOnly, x.DesOnly, x.Uncompared}))
            << c.What;
    }
    ReleaseEntries();
}

// The header is drawn by one window; assistive technology reads each of its texts, in the
// order the separate labels were read, and the counts stand beside their captions.
TEST(ResultHeader, ReadsEveryTextAsBeforeAndTheCountsByKind)
{
    ResetEntries();
    Add({"a", true, true, 1, 2, 0, 0});
    FileEntries.back().SizeResult = svLarger;
    Add({"c", false, true, 0, 1, 0, 0, true});
    EnvSettings.DispDiscord = true;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\caf?", L"", L"D:\\caf\u00e9"));
    std::vector<std::string> names;
    for (const AccessibleItemSeen& item : AccessibleItems(dialog.HeaderBoard.Handle))
        names.push_back(item.Name);
    const std::vector<std::string> expected = {
        "基準フォルダ：",
        "C:\\data",
        "対象フォルダ：",
        "D:\\caf?",
        "対象ファイル数：",
        "2",
        "不一致ファイル数：",
        "2",
        "相違：",
        "1",
        "基準のみ：",
        "0",
        "対象のみ：",
        "1",
        "未比較：",
        "0",
        "判定は基準と比べた対象の状態です（例：新しい＝対象が新しい）"};
    EXPECT_EQ(expected, names);
    // The folder the code page cannot hold is shown, and read, by its real name.
    EXPECT_EQ(dialog.DesFolderDisp.ShownText(), L"D:\\caf\u00e9");
    EXPECT_EQ(AccessibleNameWide(dialog.HeaderBoard.Handle, 4), L"D:\\caf\u00e9");
    ReleaseEntries();
}
