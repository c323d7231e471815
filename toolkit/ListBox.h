#pragma once
#include "toolkit/Window.h"

#include <string>

// A plain list box of strings.
struct ListBox : Control {
    bool Create(HWND parent, int left, int top, int width, int height);
    void AddItem(const std::string& text);
    int Count() const;
    std::string Item(int index) const;
    void DeleteItem(int index);
    void Clear();
    int SelectedIndex() const; // -1 when none
    void SetSelectedIndex(int index);
};
