#pragma once
#include "toolkit/Window.h"

enum class TextAlign { Left, Center, Right };

// A static text. Sunken labels show their value in a frame, as value fields do.
struct Label : Control {
    bool Create(HWND parent, const std::string& text, int left, int top, int width, int height,
                TextAlign align = TextAlign::Left, bool sunken = false, bool noPrefix = false);
    int TextWidth() const; // of its text in its font, in pixels
    SIZE TextExtent() const; // the same for a text of several lines: the widest, and all
};
