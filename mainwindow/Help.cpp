#include "mainwindow/Help.h"

#include "toolkit/CodePage.h"

namespace {
const int Margin = 8, ButtonWidth = 80, ButtonHeight = 25;
}

THelpDlg::~THelpDlg()
{
    Destroy();
}

bool THelpDlg::Create(HWND owner)
{
    FormArgs args;
    args.Caption = "Vexil32 ヘルプ";
    args.Width = 600;
    args.Height = 460;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.Centered = true;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.Owner = owner;
    if (!CreateForm(args)) return false;
    // A screen smaller than the designed window gets the window at its own size.
    FitIntoWorkArea(Handle);
    return true;
}

int THelpDlg::ShowDialog(HWND owner)
{
    if (!Create(owner)) return mrCancel;
    return ShowModal();
}

void THelpDlg::FormCreate()
{
    ContentsMemo.Create(Handle, Margin, Margin, 100, 100);
    ContentsMemo.SetText(WideOf(HelpText()));
    CloseButton.Create(Handle, "閉じる(&C)", 0, 0, ButtonWidth, ButtonHeight, true);
    CloseButton.OnClick = [this] { ModalResult = mrOK; };
    DefaultButtonId = CloseButton.Id();
    ActiveControl = &ContentsMemo;
}

void THelpDlg::FormResize()
{
    SIZE client = ClientSize();
    int margin = Scaled(Margin), height = Scaled(ButtonHeight), width = Scaled(ButtonWidth);
    int buttonTop = client.cy - margin - height;
    ContentsMemo.SetBounds(margin, margin, client.cx - 2 * margin, buttonTop - 2 * margin);
    CloseButton.SetBounds((Width() - width) / 2, buttonTop, width, height);
}
