#include "engine/CompDisp.h"

#include <cmath>
#include <cstdio>

double StartTime = 0;

namespace {
constexpr int ClientWidth = 446;
constexpr int ClientHeight = 205;
} // namespace

double TimeOfDay()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    double ms = ((t.wHour * 60.0 + t.wMinute) * 60.0 + t.wSecond) * 1000.0 + t.wMilliseconds;
    return ms / 86400000.0;
}

std::string ElapsedText(double days)
{
    if (days < 0) days += 1; // the run passed midnight
    long long seconds = std::llround(days * 86400000.0) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

bool TCompDispDlg::Create()
{
    FormArgs args;
    args.Caption = "比較";
    args.Width = ClientWidth;
    args.Height = ClientHeight;
    args.Buttons = TitleButtons::CloseOnly;
    args.TopMost = true;
    args.Centered = true;
    args.FontFace = "ＭＳ Ｐゴシック";
    return CreateForm(args);
}

void TCompDispDlg::FormCreate()
{
    StartTime = TimeOfDay();

    FilePanel.Create(Handle, 4, 4, 438, 52, Bevel::Raised);
    SrcFileLabel.Create(FilePanel.Handle, "基準ファイル：", 8, 8, 84, 17);
    SrcFileDisp.Create(FilePanel.Handle, 90, 8, 341, 17);
    DesFileLabel.Create(FilePanel.Handle, "対象ファイル：", 8, 28, 84, 17);
    DesFileDisp.Create(FilePanel.Handle, 90, 28, 341, 17);

    CountPanel.Create(Handle, 4, 60, 438, 70, Bevel::Raised);
    FileNumLabel.Create(CountPanel.Handle, "比較済みファイル数：", 8, 8, 124, 17);
    FileNumSText.Create(CountPanel.Handle, "", 136, 8, 140, 17, TextAlign::Center, true, true);
    NotSameFileLabel.Create(CountPanel.Handle, "不一致ファイル数：", 8, 28, 124, 17);
    NotSameFileSText.Create(CountPanel.Handle, "", 136, 28, 140, 17, TextAlign::Center, true, true);
    ProgTimeLabel.Create(CountPanel.Handle, "経過時間：", 8, 48, 124, 17);
    ProgTimeSText.Create(CountPanel.Handle, "", 136, 48, 140, 17, TextAlign::Center, true, true);
    ProgTimeSText.SetFontPoints("Courier New", 9, false, DEFAULT_CHARSET);

    ProgressPanel.Create(Handle, 4, 134, 438, 44, Bevel::Raised);
    CompFileNumLabel.Create(ProgressPanel.Handle, "全体の進行状況：", 8, 6, 100, 15);
    CompFileNumProgBar.Create(ProgressPanel.Handle, 112, 6, 270, 14);
    ProgressLabel.Create(ProgressPanel.Handle, "比較の進行状況：", 8, 24, 100, 15);
    ProgressBar.Create(ProgressPanel.Handle, 112, 24, 270, 14);
    ProgDisp.Create(ProgressPanel.Handle, "0%", 386, 23, 44, 17, TextAlign::Right, false, true);
    ProgDisp.SetFontPoints("Courier New", 9, false, DEFAULT_CHARSET);

    CancelButton.Create(Handle, "中止(&C)", (ClientWidth - 80) / 2, 181, 80, 22, true);
    CancelButton.OnClick = [this] { CancelButtonClick(); };
    DefaultButtonId = CancelButton.Id();
    ActiveControl = &CancelButton;
    // Hidden and disabled, so neither Tab nor a click ever reaches it.
    CancelChkBox.Create(Handle, "中止フラグ", 0, 0, 0, 0);
    CancelChkBox.SetVisible(false);
    CancelChkBox.SetEnabled(false);
    SetWindowLongA(CancelChkBox.Handle, GWL_STYLE,
                   GetWindowLongA(CancelChkBox.Handle, GWL_STYLE) & ~WS_TABSTOP);

    ProgTimeTimer.SetInterval(500);
    ProgTimeTimer.OnTimer = [this] { ProgTimeTimerTimer(); };
}

void TCompDispDlg::FormClose()
{
    SetVisible(false);
}

bool TCompDispDlg::MenuCommand(WORD id)
{
    if (id != IDCANCEL) return false;
    CancelButtonClick();
    return true;
}

void TCompDispDlg::CancelButtonClick()
{
    CancelChkBox.SetChecked(true);
}

void TCompDispDlg::ProgTimeTimerTimer()
{
    ProgTimeSText.SetText(ElapsedText(TimeOfDay() - StartTime));
}
