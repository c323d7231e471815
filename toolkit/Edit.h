#pragma once
#include "toolkit/Window.h"

#include <functional>

// A single-line edit with a sunken border.
struct Edit : Control {
    std::function<void()> OnChange;

    bool Create(HWND parent, const std::string& text, int left, int top, int width, int height);
    bool Command(WORD code) override;
};
