#include "mainwindow/About.h"

#include "toolkit/Application.h"

namespace {
const COLORREF Teal = RGB(0, 128, 128);
}

TAboutDlg::~TAboutDlg()
{
    Destroy();
    for (HFONT font : {formFont_, titleFont_, nameFont_, versionFont_})
        if (font) DeleteObject(font);
}

bool TAboutDlg::Create(HWND owner)
{
    formFont_ = CreateFontPoints("ＭＳ Ｐゴシック", 9);
    FormArgs args;
    args.Caption = "ﾊﾞｰｼﾞｮﾝ情報";
    args.Width = 361;
    args.Height = 173;
    args.Buttons = TitleButtons::CloseOnly;
    args.Centered = true;
    args.Font = formFont_;
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
    titleFont_ = CreateFontPixels("ＭＳ Ｐゴシック", 19, true);
    nameFont_ = CreateFontPixels("ＭＳ Ｐゴシック", 24, true);
    versionFont_ = CreateFontPixels("Courier New", 13, false, ANSI_CHARSET);

    Panel1.Create(Handle, 8, 8, 345, 124, Bevel::Lowered);
    HWND p = Panel1.Handle;
    ProductName.Create(p, "ファイルの比較及び", 8, 6, 329, 24, TextAlign::Center);
    Label1.Create(p, "不一致時のダンプ表示ツール", 8, 30, 329, 24, TextAlign::Center);
    ProductName.SetFont(titleFont_);
    Label1.SetFont(titleFont_);

    ProgramIcon.Create(p, "", 16, 62, 32, 32);
    SetWindowLongA(ProgramIcon.Handle, GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_ICON);
    HICON icon = LoadIconA(Application.Instance, "MAINICON");
    if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    SendMessageA(ProgramIcon.Handle, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetWindowPos(ProgramIcon.Handle, nullptr, 16, 62, 32, 32, SWP_NOZORDER | SWP_NOACTIVATE);

    ApplicationName.Create(p, "", 56, 58, 233, 30, TextAlign::Center);
    ApplicationName.SetFont(nameFont_);
    Version.Create(p, "", 56, 88, 233, 16, TextAlign::Center);
    Version.SetFont(versionFont_);
    Copyright.Create(p, "Copyright (C) Brask", 8, 104, 329, 16, TextAlign::Center);
    Copyright.SetFont(versionFont_);

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
