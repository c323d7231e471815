#pragma once
#include "toolkit/Window.h"

#include <string>

// A read-only text of many lines with scroll bars, for reading (and copying from).
struct Memo : Control {
    bool Create(HWND parent, int left, int top, int width, int height);
    void SetText(const std::wstring& text);
    std::wstring Text() const;
};
