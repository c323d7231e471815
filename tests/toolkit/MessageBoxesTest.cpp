#include <gtest/gtest.h>

#include "tests/common/BoxAnswerer.h"
#include "tests/common/TimedSteps.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Panel.h"

#include <new>

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
    // What happened, in the program's own words; a number only for what has none.
    const std::pair<DWORD, const char*> texts[] = {
        {2, "ファイルが見つかりません"},
        {3, "フォルダが見つかりません"},
        {5, "ファイルへのアクセスが拒否されました"},
        {32, "ファイルは他のプログラムが使用中です"},
        {112, "ディスクがいっぱいです"},
        {123, "ファイル名が正しくありません（使えない文字が含まれています）"},
        {1234, "I/O エラー (1234)"},
    };
    for (const auto& [code, text] : texts)
        EXPECT_EQ(text, IoErrorText(code)) << code;
    // The last byte of a Japanese text is above "." so a full stop follows it.
    EXPECT_EQ(WithFullStop("ファイルが見つかりません"), "ファイルが見つかりません.");
    EXPECT_EQ(WithFullStop("I/O エラー (1234)"), "I/O エラー (1234)");
    EXPECT_EQ(WithFullStop("done."), "done.");
}

namespace {
struct PlainForm : Form {};

// A mouse click at the centre of a window, as the user makes it.
void ClickCentre(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    INPUT input[3] = {};
    for (INPUT& i : input)
        i.type = INPUT_MOUSE;
    input[0].mi.dx = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
}
} // namespace

// A command that runs out of memory after disabling its window: the error report, and
// the window enabled again, while the owner of the still open modal form stays disabled.
TEST(MessageBoxes, OutOfMemoryInACommandIsReportedAndEnablesTheWindowsAgain)
{
    PlainForm owner, dialog;
    FormArgs args;
    args.Caption = "owner";
    args.Width = 300;
    args.Height = 200;
    args.OwnerIsDesktop = true;
    ASSERT_TRUE(owner.CreateForm(args));
    owner.Show();
    args.Caption = "command";
    args.OwnerIsDesktop = false;
    args.Owner = owner.Handle;
    ASSERT_TRUE(dialog.CreateForm(args));
    Panel panel;
    panel.Create(dialog.Handle, 0, 100, 300, 60);
    Button button;
    button.Create(panel.Handle, "run", 100, 10, 80, 25);
    int runs = 0;
    button.OnClick = [&] {
        ++runs;
        EnableWindow(dialog.Handle, FALSE);
        throw std::bad_alloc();
    };

    bool dialogEnabled = false, ownerEnabled = true;
    TimedSteps steps({When([&] { return IsWindowVisible(dialog.Handle); },
                           [&] { ClickCentre(button.Handle); }),
                      When([&] { return !FindCommonDialog() && runs == 1; },
                           [&] {
                               dialogEnabled = IsWindowEnabled(dialog.Handle);
                               ownerEnabled = IsWindowEnabled(owner.Handle);
                               dialog.ModalResult = mrOK;
                           })});
    BoxAnswerer boxes({IDOK});
    dialog.ShowModal();
    EXPECT_EQ(steps.Failure, "");
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Caption, "Vexil32");
    EXPECT_EQ(boxes.Seen[0].Text, "メモリが不足しています.");
    EXPECT_TRUE(boxes.Seen[0].HasIcon);
    EXPECT_TRUE(dialogEnabled);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle));
}
