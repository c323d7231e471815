#include "results/TrelkDisp.h"
#include "tests/common/TempFolder.h"
#include "toolkit/MessageBoxes.h"

#include <gtest/gtest.h>

namespace {
std::vector<ByteDifference> Dump(const std::string& reference, const std::string& target,
                                 bool* complete = nullptr)
{
    ByteDifferenceList list;
    bool all = DumpDifferences(reference, target, list);
    if (complete) *complete = all;
    std::vector<ByteDifference> rows;
    for (size_t i = 0; i < list.size(); ++i)
        rows.push_back(list[i]);
    return rows;
}

std::string Row(const ByteDifference& d)
{
    std::string text;
    for (int column = 0; column < 7; ++column)
        text += "[" + ByteDifferenceText(d, column) + "]";
    return text;
}

std::string NoZeros(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}
} // namespace

TEST(DumpDifferences, OneRowPerDifferingByteInAllItsForms)
{
    TempFolder folder;
    auto rows = Dump(folder.WriteFile("r", "ABC"), folder.WriteFile("t", "AXC"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Row(rows[0]), "[00000001][42][58][ 66][ 88][B][X]");

    EXPECT_TRUE(
        Dump(folder.WriteFile("same1", "hello"), folder.WriteFile("same2", "hello")).empty());

    // A zero byte gives an empty character cell; a control byte stands as it is.
    rows = Dump(folder.WriteFile("z1", std::string("\x07\x00", 2)),
                folder.WriteFile("z2", std::string("\x00\xFF", 2)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Row(rows[0]), "[00000000][07][00][  7][  0][\x07][]");
    EXPECT_EQ(Row(rows[1]), "[00000001][00][FF][  0][255][][\xFF]");

    // Equal length, one difference in the second block.
    std::string a = NoZeros(50000), b = a;
    b[40000] = '#';
    rows = Dump(folder.WriteFile("a", a), folder.WriteFile("b", b));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(ByteDifferenceText(rows[0], bdAddress), "00009C40");
}

TEST(DumpDifferences, DifferentLengthsStopAfterTheShorterFilesBlock)
{
    TempFolder folder;
    const std::string head = "0123456789";
    std::string zeros = head + std::string(100000 - 10, '\0');
    std::string full = head + NoZeros(100000 - 10);
    const std::string ten = folder.WriteFile("ten", head);
    EXPECT_TRUE(Dump(ten, folder.WriteFile("zeros", zeros)).empty());

    auto rows = Dump(ten, folder.WriteFile("full", full));
    ASSERT_EQ(rows.size(), 32768u - 10);
    EXPECT_EQ(ByteDifferenceText(rows.front(), bdAddress), "0000000A");
    EXPECT_EQ(ByteDifferenceText(rows.back(), bdAddress), "00007FFF");
    EXPECT_EQ(ByteDifferenceText(rows.front(), bdReferenceHex), "00");
    EXPECT_EQ(ByteDifferenceText(rows.front(), bdReferenceDecimal), "  0");
    EXPECT_EQ(ByteDifferenceText(rows.front(), bdReferenceChar), "");

    // The roles exchanged, and an empty reference: the first block only.
    EXPECT_EQ(Dump(folder.WriteFile("full2", full), ten).size(), 32768u - 10);
    EXPECT_EQ(Dump(folder.WriteFile("empty", ""), folder.WriteFile("full3", full)).size(), 32768u);
    // A shorter file ending exactly at a block edge: the next block is examined.
    std::string block = full.substr(0, 32768);
    EXPECT_EQ(Dump(folder.WriteFile("block", block), folder.WriteFile("full4", full)).size(),
              32768u);
}

TEST(DumpDifferences, StopsAtTheRowsItCanHold)
{
    TempFolder folder;
    std::string a = NoZeros(200000), b = a;
    for (char& c : b)
        c = static_cast<char>(c ^ 0x20);
    const std::string ra = folder.WriteFile("a", a), rb = folder.WriteFile("b", b);
    bool complete = false;
    auto rows = Dump(ra, rb, &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(rows.size(), 200000u);
    // A row past the first 64 KiB keeps its offset and both bytes.
    EXPECT_EQ(ByteDifferenceText(rows[70000], bdAddress), "00011170");
    EXPECT_EQ(ByteDifferenceText(rows[70000], bdReferenceChar), a.substr(70000, 1));
    EXPECT_EQ(ByteDifferenceText(rows[70000], bdTargetChar), b.substr(70000, 1));

    size_t limit = ByteDifferenceLimit;
    ByteDifferenceLimit = 1000;
    rows = Dump(ra, rb, &complete);
    ByteDifferenceLimit = limit;
    EXPECT_FALSE(complete);
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(ByteDifferenceText(rows.back(), bdAddress), "000003E7");
}

TEST(DumpDifferences, AFileThatCannotBeOpenedIsAnIoFailure)
{
    TempFolder folder;
    const std::string present = folder.WriteFile("present", "x");
    try {
        Dump(present, folder / "missing");
        FAIL() << "no failure";
    } catch (const IoFailure& failure) {
        EXPECT_EQ(failure.Code, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
    // The reference was closed again: it can be opened without sharing.
    HANDLE h = CreateFileA(present.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

TEST(ByteDifferenceView, MillionRowsFillTheListInTheWindowsLayout)
{
    TempFolder folder;
    std::string a(1 << 20, 'a'), b(1 << 20, 'b');
    const std::string ra = folder.WriteFile("a.bin", a), rb = folder.WriteFile("b.bin", b);
    TTrelkDispDlg view;
    ASSERT_TRUE(view.Open(nullptr));
    view.Fill(ra, rb);
    EXPECT_EQ(view.Text(), "表示");
    RECT outer;
    GetWindowRect(view.Handle, &outer);
    EXPECT_EQ(outer.right - outer.left, 557);
    EXPECT_EQ(outer.bottom - outer.top, 355);
    EXPECT_EQ(view.SrcFileDisp.Caption(), ra);
    EXPECT_EQ(view.DesFileDisp.Caption(), rb);
    EXPECT_EQ(view.TrelkLView.RowCount(), 1 << 20);
    EXPECT_EQ(view.TrelkLView.ColumnCount(), 7);
    char cell[64] = {};
    ListView_GetItemText(view.TrelkLView.Handle, (1 << 20) - 1, 0, cell, sizeof(cell));
    EXPECT_STREQ(cell, "000FFFFF");
    ListView_GetItemText(view.TrelkLView.Handle, 0, 6, cell, sizeof(cell));
    EXPECT_STREQ(cell, "b");
    EXPECT_EQ(view.OKButton.Left(), (557 - 77) / 2);
    EXPECT_EQ(view.OKButton.Text(), "OK");
}
