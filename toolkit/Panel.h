#pragma once
#include <functional>

#include "toolkit/Window.h"

enum class Bevel { None, Raised, Lowered, RaisedInnerLoweredOuter };

// A plain container window; it hands its children's notifications back to them.
struct Panel : Control {
    Bevel Border = Bevel::None;
    std::function<void()> OnResize;

    bool Create(HWND parent, int left, int top, int width, int height, Bevel border = Bevel::None);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
};
