#pragma once
#include "toolkit/Window.h"

// A captioned frame. It only draws: the controls it "holds" are its siblings, so
// their notifications still reach the window that owns them.
struct GroupBox : Control {
    bool Create(HWND parent, const std::string& caption, int left, int top, int width, int height);
};
