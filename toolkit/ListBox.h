#pragma once
#include "toolkit/Window.h"

#include <string>

// A plain list box of strings. A wide one keeps texts the code page cannot hold, of any
// length (the narrow messages go through a conversion that long texts overrun).
struct ListBox : Control {
    bool Create(HWND parent, int left, int top, int width, int height, bool wide = false);
    void AddItem(const std::string& text);
    void AddItem(const std::wstring& text);
    int Count() const;
    std::string Item(int index) const;
    std::wstring WideItem(int index) const;
    void DeleteItem(int index);
    void Clear();
    int SelectedIndex() const; // -1 when none
    void SetSelectedIndex(int index);
};
