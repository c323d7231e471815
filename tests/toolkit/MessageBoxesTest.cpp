#include <gtest/gtest.h>

#include "tests/common/BoxAnswerer.h"
#include "toolkit/MessageBoxes.h"

TEST(MessageBoxes, InformationQuestionAndNoticeLookAsTheProgramShowsThem)
{
    BoxAnswerer answers({IDOK, IDNO, IDYES, IDOK});
    ShowInformation("不一致ファイルはありません。");
    EXPECT_FALSE(AskInformationYesNo("質問"));
    EXPECT_TRUE(AskYesNo("上書きしますか？"));
    ShowNotice("保存しました");
    ASSERT_EQ(answers.Seen.size(), 4u);
    EXPECT_EQ(answers.Seen[0].Caption, "情報");
    EXPECT_EQ(answers.Seen[0].Text, "不一致ファイルはありません。");
    EXPECT_TRUE(answers.Seen[0].HasIcon);
    EXPECT_TRUE(answers.Seen[1].HasYes && answers.Seen[1].HasNo);
    EXPECT_EQ(answers.Seen[1].YesText, "はい(&Y)");
    EXPECT_EQ(answers.Seen[1].NoText, "いいえ(&N)");
    EXPECT_EQ(answers.Seen[2].Caption, "Vexil32");
    EXPECT_FALSE(answers.Seen[2].HasIcon);
    EXPECT_FALSE(answers.Seen[3].HasIcon);
}

TEST(MessageBoxes, ErrorTextsByNumberWithTheFullStopRule)
{
    EXPECT_EQ(IoErrorText(2), "ファイルが見つかりません");
    EXPECT_EQ(IoErrorText(3), "不正なファイル名です");
    EXPECT_EQ(IoErrorText(5), "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(IoErrorText(112), "ディスクがいっぱいです");
    EXPECT_EQ(IoErrorText(1234), "I/O エラー (1234)");
    // The last byte of a Japanese text is above "." so a full stop follows it.
    EXPECT_EQ(WithFullStop("ファイルが見つかりません"), "ファイルが見つかりません.");
    EXPECT_EQ(WithFullStop("I/O エラー (1234)"), "I/O エラー (1234)");
    EXPECT_EQ(WithFullStop("done."), "done.");
}
