#include "toolkit/InputQuery.h"

#include "toolkit/MessageBoxes.h"

#include <algorithm>

TInputQueryDlg::~TInputQueryDlg()
{
    Destroy();
}

bool TInputQueryDlg::Create(HWND owner, const std::string& caption, const std::string& prompt,
                            const std::wstring& value)
{
    prompt_ = prompt;
    value_ = value;
    FormArgs args;
    args.Caption = caption;
    args.Width = 300;
    args.Height = 96;
    args.Buttons = TitleButtons::CloseOnly;
    args.Centered = true;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.Owner = owner;
    return CreateForm(args);
}

void TInputQueryDlg::FormCreate()
{
    PromptLabel.Create(Handle, prompt_, 8, 8, 284, 16);
    // A prompt may run to several lines (an example under the question).
    SetWindowLongA(PromptLabel.Handle, GWL_STYLE,
                   GetWindowLongA(PromptLabel.Handle, GWL_STYLE) & ~SS_CENTERIMAGE);
    ValueEdit.CreateWide(Handle, value_, 8, 28, 284, 22);
    OKButton.Create(Handle, "OK", 136, 62, 75, 25, true);
    OKButton.OnClick = [this] { OKButtonClick(); };
    CancelButton.Create(Handle, "キャンセル", 217, 62, 75, 25);
    CancelButton.OnClick = [this] { ModalResult = mrCancel; };
    DefaultButtonId = OKButton.Id();
    ActiveControl = &ValueEdit;
    FitToPrompt();
}

void TInputQueryDlg::FitToPrompt()
{
    // The box grows to show every line of the prompt whole, in its font at its DPI.
    SIZE text = PromptLabel.TextExtent();
    int margin = Scaled(8), width = std::max(Scaled(284), static_cast<int>(text.cx));
    int height = std::max(Scaled(16), static_cast<int>(text.cy));
    PromptLabel.SetBounds(margin, margin, width, height);
    int top = margin + height + Scaled(4);
    ValueEdit.SetBounds(margin, top, width, Scaled(22));
    top += Scaled(22) + Scaled(12);
    int buttonWidth = Scaled(75), buttonHeight = Scaled(25), right = margin + width;
    CancelButton.SetBounds(right - buttonWidth, top, buttonWidth, buttonHeight);
    OKButton.SetBounds(right - 2 * buttonWidth - Scaled(6), top, buttonWidth, buttonHeight);
    SetClientSize(width + 2 * margin, top + buttonHeight + Scaled(9));
    // Centred again at its new size.
    RECT r = Bounds();
    SetWindowPos(Handle, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TInputQueryDlg::OKButtonClick()
{
    std::string problem = Check ? Check(ValueEdit.WideText()) : std::string();
    if (problem.empty()) {
        ModalResult = mrOK;
        return;
    }
    ShowInformation(problem);
    ValueEdit.SetFocus();
}

bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                std::wstring& value, std::function<std::string(const std::wstring&)> check)
{
    TInputQueryDlg dialog;
    dialog.Check = std::move(check);
    if (!dialog.Create(owner, caption, prompt, value)) return false;
    if (dialog.ShowModal() != mrOK) return false;
    value = dialog.ValueEdit.WideText();
    return true;
}
