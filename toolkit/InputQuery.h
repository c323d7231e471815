#pragma once
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

#include <functional>
#include <string>

// A small modal box that asks for one line of text: a prompt, an edit, OK and Cancel.
// The text is kept whole (UTF-16), whatever the code page holds. Check, when set, vets
// it on OK: it returns "" to accept, or the reason shown in an information box while
// the box stays open for a correction.
struct TInputQueryDlg : Form {
    Label PromptLabel;
    Edit ValueEdit;
    Button OKButton, CancelButton;
    std::function<std::string(const std::wstring&)> Check;

    ~TInputQueryDlg() override;
    bool Create(HWND owner, const std::string& caption, const std::string& prompt,
                const std::wstring& value);
    void FormCreate() override;
    void OKButtonClick();

private:
    void FitToPrompt();
    std::string prompt_;
    std::wstring value_;
};

// Asks for the text; true with value set when the user confirmed an accepted text.
bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                std::wstring& value, std::function<std::string(const std::wstring&)> check = {});
