#include "toolkit/InputQuery.h"

#include "toolkit/MessageBoxes.h"

TInputQueryDlg::~TInputQueryDlg()
{
    Destroy();
}

bool TInputQueryDlg::Create(HWND owner, const std::string& caption, const std::string& prompt,
                            const std::string& value)
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
    ValueEdit.Create(Handle, value_, 8, 28, 284, 22);
    OKButton.Create(Handle, "OK", 136, 62, 75, 25, true);
    OKButton.OnClick = [this] { OKButtonClick(); };
    CancelButton.Create(Handle, "キャンセル", 217, 62, 75, 25);
    CancelButton.OnClick = [this] { ModalResult = mrCancel; };
    DefaultButtonId = OKButton.Id();
    ActiveControl = &ValueEdit;
}

void TInputQueryDlg::OKButtonClick()
{
    std::string problem = Check ? Check(ValueEdit.Text()) : std::string();
    if (problem.empty()) {
        ModalResult = mrOK;
        return;
    }
    ShowInformation(problem);
    ValueEdit.SetFocus();
}

bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                std::string& value, std::function<std::string(const std::string&)> check)
{
    TInputQueryDlg dialog;
    dialog.Check = std::move(check);
    if (!dialog.Create(owner, caption, prompt, value)) return false;
    if (dialog.ShowModal() != mrOK) return false;
    value = dialog.ValueEdit.Text();
    return true;
}
