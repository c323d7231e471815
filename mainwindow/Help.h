#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Memo.h"

#include <string>

// The program's help, carried in the program itself: no help file or help system
// needs to exist on the machine.
struct THelpDlg : Form {
    Memo ContentsMemo;
    Button CloseButton;

    ~THelpDlg() override;
    bool Create(HWND owner = nullptr);
    // Creates the window, shows it modally and returns its result.
    int ShowDialog(HWND owner = nullptr);
    void FormCreate() override;
    void FormResize() override;
};

// The help's text: its contents first, then how the program is used.
std::string HelpText();
