#pragma once
#include <functional>

#include "toolkit/Window.h"

struct Button : Control {
    std::function<void()> OnClick;

    // A default button is the one Enter presses in its form.
    bool Create(HWND parent, const std::string& caption, int left, int top, int width, int height,
                bool isDefault = false);
    int Id() const { return GetDlgCtrlID(Handle); }
    void Click();
    bool Command(WORD code) override;
};

struct CheckBox : Control {
    std::function<void()> OnClick;

    bool Create(HWND parent, const std::string& caption, int left, int top, int width, int height);
    bool Checked() const;
    // The width the box and its caption need in the control's font ("&" not counted).
    int FittedWidth() const;
    // Setting the state from the program counts as a click, as the user's would.
    void SetChecked(bool checked);
    bool Command(WORD code) override;
};
