#pragma once
#include "toolkit/Window.h"

#include <functional>

// A bar the user drags to resize the control before it: a vertical bar (left-right
// dragging) changes a width, a horizontal bar a height. The owner applies the size.
struct TSplitterEx : Control {
    bool Vertical = true; // true: a bar between left and right parts
    int MinSize = 30; // at 96 dpi
    std::function<int()> SizeOfTarget;     // current width or height being changed
    std::function<void(int)> ResizeTarget; // apply a new size while dragging
    std::function<void()> OnMoved;         // after the user released the bar

    bool Create(HWND parent, bool vertical, int left, int top, int width, int height);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

private:
    int startMouse_ = 0;
    int startSize_ = 0;
    bool dragging_ = false;
    int MousePos(LPARAM lParam) const;
};
