#include "textdiff/LineDiff.h"
#include "textdiff/TextDiff.h"
#include "tests/textdiff/TextSamples.h"

#include <gtest/gtest.h>
#include <random>

namespace {
size_t LongestCommon(const std::vector<int32_t>& x, const std::vector<int32_t>& y)
{
    std::vector<std::vector<size_t>> table(x.size() + 1, std::vector<size_t>(y.size() + 1, 0));
    for (size_t i = 1; i <= x.size(); ++i)
        for (size_t j = 1; j <= y.size(); ++j)
            table[i][j] = x[i - 1] == y[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
    return table[x.size()][y.size()];
}

// What both keep unchanged is one sequence: a common subsequence.
void ExpectCommonRest(const std::vector<int32_t>& x, const std::vector<int32_t>& y,
                      const SequenceDiff& d)
{
    std::vector<int32_t> xRest, yRest;
    for (size_t i = 0; i < x.size(); ++i)
        if (!d.XChanged[i]) xRest.push_back(x[i]);
    for (size_t i = 0; i < y.size(); ++i)
        if (!d.YChanged[i]) yRest.push_back(y[i]);
    EXPECT_EQ(xRest, yRest);
}

size_t Count(const std::vector<uint8_t>& flags)
{
    size_t n = 0;
    for (uint8_t f : flags)
        n += f;
    return n;
}

TEST(LineDiff, FindsTheFewestChangesOfSmallRandomPairs)
{
    std::mt19937 random(20261210);
    struct Shape {
        int MaxLength, Alphabet;
    };
    for (Shape shape : {Shape{8, 2}, Shape{30, 3}, Shape{60, 8}, Shape{120, 40}}) {
        for (int round = 0; round < 150; ++round) {
            std::vector<int32_t> x(random() % (shape.MaxLength + 1)),
                y(random() % (shape.MaxLength + 1));
            for (int32_t& v : x)
                v = static_cast<int32_t>(random() % shape.Alphabet);
            for (int32_t& v : y)
                v = static_cast<int32_t>(random() % shape.Alphabet);
            SequenceDiff d = DiffSequences(x, y, static_cast<size_t>(shape.Alphabet));
            SCOPED_TRACE(::testing::Message() << "alphabet " << shape.Alphabet << " round " << round);
            EXPECT_EQ(Count(d.XChanged) + Count(d.YChanged),
                      x.size() + y.size() - 2 * LongestCommon(x, y));
            ExpectCommonRest(x, y, d);
            EXPECT_TRUE(d.Approximate.empty());
        }
    }
}

TEST(LineDiff, ACappedSearchStaysConsistentAndSaysItIsApproximate)
{
    std::mt19937 random(7);
    std::vector<int32_t> x(3000), y(3000);
    for (int32_t& v : x)
        v = static_cast<int32_t>(random() % 4);
    for (int32_t& v : y)
        v = static_cast<int32_t>(random() % 4);
    SequenceDiff d = DiffSequences(x, y, 4, 8);
    ExpectCommonRest(x, y, d);
    EXPECT_FALSE(d.Approximate.empty());
}

TEST(LineDiff, ScatteredEditsOfALongFileAreExactlyThoseEdits)
{
    std::string a, b;
    size_t edits = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string line = "line " + std::to_string(i) + " of the text\n";
        a += line;
        if (i % 997 == 500) {
            b += "changed " + std::to_string(i) + "\n";
            ++edits;
        } else {
            b += line;
        }
    }
    TextDiffResult result = DiffTextFiles(TextOf(a), TextOf(b), {});
    EXPECT_EQ(result.Hunks.size(), edits);
    for (const DiffHunk& hunk : result.Hunks) {
        EXPECT_EQ(hunk.ACount, 1u);
        EXPECT_EQ(hunk.BCount, 1u);
    }
    EXPECT_FALSE(result.Approximate);
}
} // namespace
