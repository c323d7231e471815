#include "engine/CompDispView.h"
#include "tests/run/RunFakes.h"

#include <gtest/gtest.h>

namespace {
std::string FaceOf(HFONT font)
{
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf.lfFaceName;
}

LONG StyleOf(const Control& c)
{
    return GetWindowLongA(c.Handle, GWL_STYLE);
}

// Processes messages until the condition holds or about three seconds have passed.
template <typename Condition> bool PumpUntil(Condition done)
{
    for (int i = 0; i < 300 && !done(); ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return done();
}
} // namespace

TEST(ElapsedText, HoursWithoutLeadingZeroMinutesAndSecondsWithTwo)
{
    constexpr double second = 1.0 / 86400;
    EXPECT_EQ("0:00:00", ElapsedText(0));
    EXPECT_EQ("0:00:07", ElapsedText(7 * second));
    EXPECT_EQ("1:05:09", ElapsedText((3600 + 5 * 60 + 9) * second));
    EXPECT_EQ("0:00:10", ElapsedText(10 * second - 1e-12)); // float noise is not a second less
    EXPECT_EQ("0:00:05", ElapsedText(-1 + 5 * second));     // a run that passed midnight
}

TEST(CompDispDlg, LayoutTickingTimeCancelAndCloseBox)
{
    CompDispView view;
    double before = TimeOfDay();
    view.Open();
    ASSERT_TRUE(view.Dialog && view.Dialog->Exists());
    TCompDispDlg& dlg = *view.Dialog;
    EXPECT_GE(StartTime, before);
    EXPECT_LE(StartTime - before, 2.0 / 86400);

    // Frame: caption, close box only, topmost, centred, client 446 x 205.
    EXPECT_EQ("比較", dlg.Text());
    SIZE client = dlg.ClientSize();
    EXPECT_EQ(446, client.cx);
    EXPECT_EQ(205, client.cy);
    LONG style = StyleOf(dlg);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongA(dlg.Handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(dlg.Handle, &r);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 1);

    // Contents as they start.
    EXPECT_EQ("基準ファイル：", dlg.SrcFileLabel.Text());
    EXPECT_EQ("対象ファイル：", dlg.DesFileLabel.Text());
    EXPECT_EQ("比較済みファイル数：", dlg.FileNumLabel.Text());
    EXPECT_EQ("不一致ファイル数：", dlg.NotSameFileLabel.Text());
    EXPECT_EQ("経過時間：", dlg.ProgTimeLabel.Text());
    EXPECT_EQ("全体の進行状況：", dlg.CompFileNumLabel.Text());
    EXPECT_EQ("比較の進行状況：", dlg.ProgressLabel.Text());
    EXPECT_EQ("中止(&C)", dlg.CancelButton.Text());
    EXPECT_EQ("中止フラグ", dlg.CancelChkBox.Text());
    EXPECT_FALSE(dlg.CancelChkBox.Visible());
    EXPECT_FALSE(dlg.CancelChkBox.Checked());
    EXPECT_EQ(341, dlg.SrcFileDisp.Width());
    EXPECT_EQ(17, dlg.SrcFileDisp.Height());
    EXPECT_EQ(341, dlg.DesFileDisp.Width());
    EXPECT_EQ("", dlg.FileNumSText.Text());
    EXPECT_EQ("", dlg.ProgTimeSText.Text());
    for (const Label* value : {&dlg.FileNumSText, &dlg.NotSameFileSText, &dlg.ProgTimeSText}) {
        EXPECT_EQ(SS_CENTER, StyleOf(*value) & SS_TYPEMASK);
        EXPECT_TRUE(StyleOf(*value) & SS_SUNKEN);
    }
    EXPECT_EQ("0%", dlg.ProgDisp.Text());
    EXPECT_EQ(SS_RIGHT, StyleOf(dlg.ProgDisp) & SS_TYPEMASK);
    EXPECT_EQ("Courier New", FaceOf(dlg.ProgDisp.Font()));
    EXPECT_EQ("Courier New", FaceOf(dlg.ProgTimeSText.Font()));
    EXPECT_EQ(0, dlg.CompFileNumProgBar.Position());
    EXPECT_EQ(0, dlg.ProgressBar.Position());
    EXPECT_EQ(500u, dlg.ProgTimeTimer.Interval());
    EXPECT_FALSE(dlg.ProgTimeTimer.Enabled());

    // The loop's updates reach the controls.
    view.ShowView();
    EXPECT_TRUE(IsWindowVisible(dlg.Handle));
    view.SetSrcFileDisp("C:\\data\\a.txt");
    view.SetFileNumText("3 / 120");
    view.SetNotSameFileText("1 / 120");
    view.SetCompFileNumProgBar(40);
    view.SetProgressBar(37);
    view.SetProgDisp("37%");
    view.Flush();
    EXPECT_EQ("C:\\data\\a.txt", dlg.SrcFileDisp.Caption());
    EXPECT_EQ("3 / 120", dlg.FileNumSText.Text());
    EXPECT_EQ("1 / 120", dlg.NotSameFileSText.Text());
    EXPECT_EQ(40, dlg.CompFileNumProgBar.Position());
    EXPECT_EQ(37, dlg.ProgressBar.Position());
    EXPECT_EQ("37%", dlg.ProgDisp.Text());

    // The timer shows the time since creation.
    StartTime -= 7.0 / 86400;
    view.SetProgTimeText("0:00:00");
    view.EnableProgTimer(true);
    EXPECT_TRUE(PumpUntil([&] { return dlg.ProgTimeSText.Text() != "0:00:00"; }));
    std::string shown = dlg.ProgTimeSText.Text();
    EXPECT_TRUE(shown == "0:00:07" || shown == "0:00:08") << shown;

    // The close box hides the window without asking to cancel; the run keeps it.
    SendMessageA(dlg.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpUntil([] { return false; });
    EXPECT_TRUE(dlg.Exists());
    EXPECT_FALSE(IsWindowVisible(dlg.Handle));
    EXPECT_FALSE(view.CancelRequested());
    view.SetFileNumText("4 / 120");
    view.Flush();
    EXPECT_EQ("4 / 120", dlg.FileNumSText.Text());

    // The cancel button only raises the flag the loop reads.
    SendMessageA(dlg.CancelButton.Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(dlg.CancelChkBox.Checked());
    EXPECT_TRUE(view.CancelRequested());
    EXPECT_TRUE(dlg.Exists());

    HWND handle = dlg.Handle;
    view.CloseView();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(view.CancelRequested());
}

TEST(CompDispView, DisablesTheMainWindowFromOpenToCloseOnly)
{
    MainWindowStandIn main;
    CompDispView view;
    std::vector<std::pair<std::string, bool>> seen;
    seen.emplace_back("before", main.Enabled());
    view.Open();
    seen.emplace_back("open", main.Enabled());
    view.CloseView();
    seen.emplace_back("closed", main.Enabled());
    view.CloseView();
    seen.emplace_back("closed twice", main.Enabled());
    std::vector<std::pair<std::string, bool>> expected = {
        {"before", true}, {"open", false}, {"closed", true}, {"closed twice", true}};
    EXPECT_EQ(expected, seen);
}
