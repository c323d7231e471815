#pragma once
#include "toolkit/Window.h"

#include <string>

// A one-line path label: when the full caption does not fit, its middle gives way to
// "..." so that the drive and the file name stay readable. Caption() is always the
// full text; the window shows the shortened one.
struct TEllipsisText : Control {
    bool Ellipsis = true;

    // A sunken static without accelerator characters.
    bool Create(HWND parent, int left, int top, int width, int height);
    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }
    // Measures the full caption in the label's font and shows its shortened form.
    void UpdateShownText();

private:
    std::string caption_;
};

// The shortened form of s, given its measured width and the label's width: 2k - 1 bytes
// around the middle become "...", with k = ((w - width) div a) div 2 + 6, a = w div n.
std::string ShortenedText(const std::string& s, int textWidthPixels, int labelWidthPixels);
