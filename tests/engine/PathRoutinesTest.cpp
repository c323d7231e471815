#include "engine/Util.h"
#include "tests/common/TempFolder.h"

#include <gtest/gtest.h>

TEST(JoinPath, PutsExactlyOneSeparatorBetween)
{
    EXPECT_EQ(JoinPath("C:\\data", "x"), "C:\\data\\x");
    EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(JoinPath("C:\\data", ""), "C:\\data\\");
    EXPECT_EQ(JoinPath("C:\\", ""), "C:\\");
    EXPECT_EQ(JoinPath("", "x"), "");
}

TEST(JoinPath, TrailByteBackslashIsNoSeparator)
{
    // ソ and 表 end in the byte 0x5C.
    EXPECT_EQ(JoinPath("C:\\ソ", "x"), "C:\\ソ\\x");
    EXPECT_EQ(JoinPath("C:\\表", ""), "C:\\表\\");
    EXPECT_EQ(JoinPath("C:\\表\\", "x"), "C:\\表\\x");
}

TEST(DriveOfCaption, TakesTheTwoBytesEndingWithTheFirstColon)
{
    EXPECT_EQ(DriveOfCaption("ローカル ディスク (C:)"), "C:");
    EXPECT_EQ(DriveOfCaption(" (Z:)"), "Z:");
    EXPECT_EQ(DriveOfCaption("C:"), "C:");
    EXPECT_EQ(DriveOfCaption(":abc"), "");
    EXPECT_EQ(DriveOfCaption("report.txt"), "");
    EXPECT_EQ(DriveOfCaption(""), "");
}

TEST(IsFolderPath, FolderAndMissingPathCountAsFolders)
{
    TempFolder temp;
    std::string file = temp.WriteFile("a.txt", "x");
    std::string folder = temp.MakeFolder("sub");
    EXPECT_FALSE(IsFolderPath(file));
    EXPECT_TRUE(IsFolderPath(folder));
    EXPECT_TRUE(IsFolderPath(temp / "sub"));
    EXPECT_TRUE(IsFolderPath(temp / "missing"));
}

TEST(IsSpecialFolderName, MatchesOnlyTheHalfWidthNamesExactly)
{
    EXPECT_TRUE(IsSpecialFolderName("ﾃﾞｽｸﾄｯﾌﾟ"));
    EXPECT_TRUE(IsSpecialFolderName("ﾏｲ ｺﾝﾋﾟｭｰﾀ"));
    EXPECT_TRUE(IsSpecialFolderName("ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ"));
    EXPECT_TRUE(IsSpecialFolderName("ごみ箱"));
    EXPECT_FALSE(IsSpecialFolderName("デスクトップ"));
    EXPECT_FALSE(IsSpecialFolderName("ﾃﾞｽｸﾄｯﾌﾟ "));
    EXPECT_FALSE(IsSpecialFolderName(""));
}
