#include "textdiff/DiffRows.h"
#include "textdiff/LinePairing.h"
#include "tests/textdiff/TextSamples.h"

#include <gtest/gtest.h>
#include <random>

namespace {
using Rows = std::vector<std::pair<int, int>>; // (left, right), -1 for none

Rows Paired(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b)
{
    Rows rows;
    for (const HunkRow& row : PairHunkLines(a, b))
        rows.emplace_back(row.Left, row.Right);
    return rows;
}

TEST(LinePairing, ALineFacesItsNewFormPastLinesAddedBeforeIt)
{
    struct Case {
        const char* What;
        std::vector<std::wstring> A, B;
        Rows Expected;
    } cases[] = {
        {"a comment rewritten below new lines",
         {L"/* 一覧を表示する */"},
         {L"/* 表示能力の改善（ソート） */", L"static int compare_items(void)", L"{", L"}", L"",
          L"/* 一覧を並べ替えて表示する */"},
         {{-1, 0}, {-1, 1}, {-1, 2}, {-1, 3}, {-1, 4}, {0, 5}}},
        {"nothing alike: paired from the top", {L"alpha"}, {L"0123", L"zz"}, {{0, 0}, {-1, 1}}},
        {"two alike with others between",
         {L"int count = 0;", L"old();", L"return count;"},
         {L"int count = 1;", L"return count + 1;"},
         {{0, 0}, {1, -1}, {2, 1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Paired(c.A, c.B), c.Expected) << c.What;
    }
    std::vector<std::wstring> many(MaxPairedLines + 1, L"x");
    EXPECT_TRUE(PairHunkLines(many, {L"x"}).empty());
}

TEST(DiffRows, EveryLineHasOneRowAndTheRowShowsIt)
{
    std::mt19937 random(11);
    const char* const words[] = {"alpha beta", "alpha gamma", "delta", "beta gamma", "epsilon"};
    for (int round = 0; round < 40; ++round) {
        std::string a, b;
        for (int i = 0, n = static_cast<int>(random() % 40); i < n; ++i)
            a += std::string(words[random() % 5]) + "\n";
        for (int i = 0, n = static_cast<int>(random() % 40); i < n; ++i)
            b += std::string(words[random() % 5]) + "\n";
        TextFile left = TextOf(a), right = TextOf(b);
        TextDiffResult diff = DiffTextFiles(left, right, {});
        for (bool laid : {false, true}) {
            DiffRows rows(diff, left.Lines.size(), right.Lines.size(),
                          laid ? LayOutHunks(left, right, diff, {}) : std::vector<std::vector<HunkRow>>{});
            size_t seen[2] = {0, 0};
            for (size_t row = 0; row < rows.Count(); ++row) {
                DiffRow shown = rows.At(row);
                ASSERT_TRUE(shown.Left != DiffRow::NoLine || shown.Right != DiffRow::NoLine);
                for (int side = 0; side < 2; ++side) {
                    size_t line = side == 0 ? shown.Left : shown.Right;
                    if (line == DiffRow::NoLine) continue;
                    EXPECT_EQ(line, seen[side]++) << "lines in order, none left out";
                    EXPECT_EQ(rows.RowOfLine(side, line), row);
                }
                if (shown.Kind == RowKind::Same) {
                    EXPECT_EQ(left.LineText(shown.Left), right.LineText(shown.Right));
                }
            }
            EXPECT_EQ(seen[0], left.Lines.size());
            EXPECT_EQ(seen[1], right.Lines.size());
        }
    }
}
} // namespace
