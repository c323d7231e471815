#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

// The about box: what the program is, its name and version.
struct TAboutDlg : Form {
    Panel Panel1;
    Label ProductName, Label1, ApplicationName, Version, Copyright;
    Label ProgramIcon;
    Button OkButton;

    ~TAboutDlg() override;
    bool Create(HWND owner = nullptr);
    // Creates the box, shows it modally and returns its result.
    int ShowDialog(HWND owner = nullptr);
    void FormCreate() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
