#include "results/VerdictText.h"

#include <gtest/gtest.h>

namespace {
// Bytes in Shift-JIS, as the list, its sorting and the CSV file see them.
std::string Bytes(std::initializer_list<unsigned char> b)
{
    return std::string(b.begin(), b.end());
}
} // namespace

TEST(VerdictText, EveryCodeHasItsText)
{
    const std::string same = Bytes({0x88, 0xEA, 0x92, 0x76});
    const std::string dash = Bytes({0x81, 0x7C});
    const std::string notFound = "見つからない";
    EXPECT_EQ(same, "一致");
    EXPECT_EQ(DateVerdictText(dvSame), same);
    EXPECT_EQ(DateVerdictText(dvNotCompared), dash);
    EXPECT_EQ(DateVerdictText(dvOSError), Bytes({'O', 'S', 0x8C, 0xEB, 0x8D, 0xB7}));
    EXPECT_EQ(DateVerdictText(dvNewer), "新しい");
    EXPECT_EQ(DateVerdictText(dvOlder), "古い");
    EXPECT_EQ(DateVerdictText(dvNotFound), notFound);
    EXPECT_EQ(SizeVerdictText(svSame), same);
    EXPECT_EQ(SizeVerdictText(svNotCompared), dash);
    EXPECT_EQ(SizeVerdictText(svLarger), "大きい");
    EXPECT_EQ(SizeVerdictText(svSmaller), "小さい");
    EXPECT_EQ(SizeVerdictText(svNotFound), notFound);
    EXPECT_EQ(ContentsVerdictText(cvSame), same);
    EXPECT_EQ(ContentsVerdictText(cvNotCompared), dash);
    EXPECT_EQ(ContentsVerdictText(cvDiffer), Bytes({0x95, 0x73, 0x88, 0xEA, 0x92, 0x76}));
    EXPECT_EQ(ContentsVerdictText(cvNotFound), notFound);
    EXPECT_EQ(ContentsVerdictText(cvInUse), "使用中");
    // Only in the target: the same words in all three columns.
    const std::string noReference = Bytes({0x8A, 0xEE, 0x8F, 0x80, 0x82, 0xC8, 0x82, 0xB5});
    EXPECT_EQ(noReference, "基準なし");
    EXPECT_EQ(DateVerdictText(dvNoReference), noReference);
    EXPECT_EQ(SizeVerdictText(svNoReference), noReference);
    EXPECT_EQ(ContentsVerdictText(cvNoReference), noReference);
    EXPECT_EQ(notFound,
              Bytes({0x8C, 0xA9, 0x82, 0xC2, 0x82, 0xA9, 0x82, 0xE7, 0x82, 0xC8, 0x82, 0xA2}));
}

TEST(SizeText, UnitsRoundingAndBoundaries)
{
    const std::pair<int64_t, const char*> table[] = {
        {0, "0 バイト"},     {1023, "1023 バイト"}, {-5, "-5 バイト"},       {1024, "1KB"},
        {1100, "1.07KB"},    {1152, "1.13KB"},      {1536, "1.5KB"},         {2048, "2KB"},
        {1048575, "1024KB"}, {1048576, "1MB"},      {123456789, "117.74MB"}, {1073741823, "1024MB"},
        {1073741824, "1GB"}, {2147483647, "2GB"},
    };
    for (const auto& [n, text] : table)
        EXPECT_EQ(SizeText(n), text) << n;
    EXPECT_EQ(SizeText(0), Bytes({'0', ' ', 0x83, 0x6F, 0x83, 0x43, 0x83, 0x67}));
}

TEST(SizeText, FullSixtyFourBitSizesStayInGigabytes)
{
    const int64_t GiB = 1073741824;
    EXPECT_EQ(SizeText(2 * GiB), "2GB");
    EXPECT_EQ(SizeText(4 * GiB + 10), "4GB");
    EXPECT_EQ(SizeText(5 * GiB), "5GB");
    EXPECT_EQ(SizeText(5 * GiB + GiB / 8), "5.13GB"); // 5.125, half away from zero
    EXPECT_EQ(SizeText(1024 * GiB), "1024GB");
}
