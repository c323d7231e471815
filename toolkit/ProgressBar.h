#pragma once
#include "toolkit/Window.h"

struct ProgressBar : Control {
    bool Create(HWND parent, int left, int top, int width, int height, int minimum = 0,
                int maximum = 100);
    void SetPosition(int position);
    int Position() const;
};
