#include "mainwindow/About.h"

#include "toolkit/Application.h"

namespace {
const COLORREF Teal = RGB(0, 128, 128);
}

TAboutDlg::~TAboutDlg()
{
    Destroy();
}

bool TAboutDlg::Create(HWND owner)
{
    FormArgs args;
    args.Caption = "ﾊﾞｰｼﾞｮﾝ情報";
    args.Width = 361;
    args.Height = 173;
    args.Buttons = TitleButtons::CloseOnly;
    args.Centered = true;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.Owner = owner;
    return CreateForm(args);
}

int TAboutDlg::ShowDialog(HWND owner)
{
    if (!Create(owner)) return mrCancel;
    return ShowModal();
}

void TAboutDlg::FormCreate()
{
    Panel1.Create(Handle, 8, 8, 345, 124, Bevel::Lowered);
    HWND p = Panel1.Handle;
    ProductName.Create(p, "ファイルの比較及び", 8, 6, 329, 24, TextAlign::Center);
    Label1.Create(p, "不一致時のダンプ表示ツール", 8, 30, 329, 24, TextAlign::Center);
    ProductName.SetFontPoints("ＭＳ Ｐゴシック", 14, true);
    Label1.SetFontPoints("ＭＳ Ｐゴシック", 14, true);

    ProgramIcon.Create(p, "", 16, 62, 32, 32);
    SetWindowLongA(ProgramIcon.Handle, GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_ICON);
    // The icon's own picture of the size asked for, not a 32 x 32 one stretched.
    int size = ProgramIcon.Scaled(32);
    HICON icon = static_cast<HICON>(
        LoadImageA(Application.Instance, "MAINICON", IMAGE_ICON, size, size, LR_SHARED));
    if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    SendMessageA(ProgramIcon.Handle, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    ProgramIcon.SetBounds(ProgramIcon.Scaled(16), ProgramIcon.Scaled(62), ProgramIcon.Scaled(32),
                          ProgramIcon.Scaled(32));

    ApplicationName.Create(p, "", 56, 58, 233, 30, TextAlign::Center);
    ApplicationName.SetFontPoints("ＭＳ Ｐゴシック", 18, true);
    Version.Create(p, "", 56, 88, 233, 16, TextAlign::Center);
    Version.SetFontPoints("Courier New", 10, false, ANSI_CHARSET);
    Copyright.Create(p, "Copyright (C) Brask", 8, 104, 329, 16, TextAlign::Center);
    Copyright.SetFontPoints("Courier New", 10, false, ANSI_CHARSET);

    OkButton.Create(Handle, "OK", 143, 140, 75, 25, true);
    OkButton.OnClick = [this] { ModalResult = mrOK; };
    DefaultButtonId = OkButton.Id();

    ApplicationName.SetText("Vexil32");
    Version.SetText("Version 1.24");
}

bool TAboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != ApplicationName.Handle)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, Teal);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}
