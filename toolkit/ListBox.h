#pragma once
#include "toolkit/Window.h"

// A plain list box of strings.
struct ListBox : Control {
    bool Create(HWND parent, int left, int top, int width, int height);
    void AddItem(const std::string& text);
    int Count() const;
};
