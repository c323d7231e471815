#include "results/TrelkDisp.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/RealInput.h"
#include "tests/common/TempFolder.h"
#include "toolkit/MessageBoxes.h"

#include <cstring>
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

TEST(DumpDifferences, EveryPositionPastTheShorterEndIsARowWithThatSideEmpty)
{
    TempFolder folder;
    const std::string head = "0123456789";
    const std::string zeros = head + std::string(100000 - 10, '\0');
    const std::string full = head + NoZeros(100000 - 10);
    struct Case {
        const char* name;
        std::string reference, target;
        size_t rows;
        std::string first, last;
    } cases[] = {
        {"trailing zeros", "ABC", std::string("ABC\0\0\0", 6), 3, "[00000003][][00][][  0][][]",
         "[00000005][][00][][  0][][]"},
        {"empty against one zero byte", "", std::string(1, '\0'), 1, "[00000000][][00][][  0][][]",
         "[00000000][][00][][  0][][]"},
        {"ten against zeros, past the first block", head, zeros, 100000 - 10,
         "[0000000A][][00][][  0][][]", "[0001869F][][00][][  0][][]"},
        {"roles exchanged", full, head, 100000 - 10, "[0000000A][61][][ 97][][a][]",
         "[0001869F][74][][116][][t][]"},
        {"shorter ends at a block edge", full.substr(0, 32768), full, 100000 - 32768,
         "[00008000][][79][][121][][y]", "[0001869F][][74][][116][][t]"},
    };
    for (const Case& c : cases) {
        auto rows = Dump(folder.WriteFile(std::string(c.name) + ".r", c.reference),
                         folder.WriteFile(std::string(c.name) + ".t", c.target));
        ASSERT_EQ(rows.size(), c.rows) << c.name;
        EXPECT_EQ(Row(rows.front()), c.first) << c.name;
        EXPECT_EQ(Row(rows.back()), c.last) << c.name;
    }
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
    // Wider than designed (557) by the room the column captions need.
    EXPECT_EQ(outer.right - outer.left, 580);
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
    EXPECT_EQ(view.OKButton.Left(), (580 - 77) / 2);
    EXPECT_EQ(view.OKButton.Text(), "OK");
}

TEST(ByteCsvLine, TheViewsTextsAsFieldsQuotedWhereNeeded)
{
    struct Case {
        const char* name;
        ByteDifference row;
        std::string line;
    } cases[] = {
        {"letters", {1, 'B', 'X'}, "00000001,42,58, 66, 88,B,X\r\n"},
        {"comma and quote cells", {2, ',', '"'}, "00000002,2C,22, 44, 34,\",\",\"\"\"\"\r\n"},
        {"zero byte", {3, 0, 'a'}, "00000003,00,61,  0, 97,,a\r\n"},
        {"reference missing", {4, 0, 0, true, false}, "00000004,,00,,  0,,\r\n"},
        {"target missing", {5, 'z', 0, false, true}, "00000005,7A,,122,,z,\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ByteCsvLine(c.row, CsvEncoding::ShiftJis), c.line) << c.name;
    EXPECT_EQ(ByteCsvHeaderLine(CsvEncoding::ShiftJis),
              "アドレス,基準(16進),対象(16進),基準(10進),対象(10進),基準(ASCII),対象(ASCII)\r\n");
}

namespace {
std::string savePath;
BOOL AnswerWithSavePath(OPENFILENAMEA* request)
{
    std::strncpy(request->lpstrFile, savePath.c_str(), request->nMaxFile - 1);
    return TRUE;
}
} // namespace

TEST(ByteDifferenceView, SaveButtonWritesEveryRowAsCsv)
{
    TempFolder folder;
    const std::string ra = folder.WriteFile("a.bin", "AB,"),
                      rb = folder.WriteFile("b.bin", std::string("AXC\0", 4));
    TTrelkDispDlg view;
    ASSERT_TRUE(view.Open(nullptr));
    view.Fill(ra, rb);
    view.Show();
    EXPECT_EQ(view.SaveButton.Text(), "保存(&S)");
    savePath = folder / "bytes.csv";
    SaveDialogFunction original = SaveDialogRequest;
    SaveDialogRequest = AnswerWithSavePath;
    BoxAnswerer boxes({IDOK});
    ClickAt(view.SaveButton.Handle, ClientMiddle(view.SaveButton.Handle));
    PumpUntil([&] { return !boxes.Seen.empty(); });
    SaveDialogRequest = original;
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "保存しました");
    EXPECT_EQ(ReadWholeFile(savePath), ByteCsvHeaderLine(CsvEncoding::ShiftJis) +
                                           "00000001,42,58, 66, 88,B,X\r\n"
                                           "00000002,2C,43, 44, 67,\",\",C\r\n"
                                           "00000003,,00,,  0,,\r\n");
}
