#pragma once
#include "toolkit/Window.h"

#include <functional>

// A single-line edit with a sunken border.
struct Edit : Control {
    std::function<void()> OnChange;

    bool Create(HWND parent, const std::string& text, int left, int top, int width, int height);
    // A wide edit: it keeps every character typed or pasted, read with WideText, and no
    // length limit short of the control's own.
    bool CreateWide(HWND parent, const std::wstring& text, int left, int top, int width,
                    int height);
    bool Command(WORD code) override;
};
