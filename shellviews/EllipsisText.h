#pragma once
#include "toolkit/Window.h"

#include <functional>
#include <string>

// A one-line path label: when the full caption does not fit, its middle gives way to
// "..." so that the drive and the file name stay readable. Caption() is always the
// full text; the window shows the shortened one.
struct TEllipsisText : Control {
    bool Ellipsis = true;

    // A sunken static without accelerator characters.
    bool Create(HWND parent, int left, int top, int width, int height);
    // real: the path as the file system spells it, shown instead where the code page
    // cannot hold it (ignored when it reads the same as the caption).
    void SetCaption(const std::string& caption, const std::wstring& real = {});
    const std::string& Caption() const { return caption_; }
    const std::wstring& RealCaption() const { return real_; } // empty when not needed
    // Measures the full caption in the label's font and shows its shortened form.
    void UpdateShownText();

private:
    int TextWidth(const std::wstring& text) const; // in the label's font, in pixels
    std::string caption_;
    std::wstring real_;
};

// The shortened form of s, given its measured width and the label's width: 2k - 1 bytes
// around the middle become "...", with k = ((w - width) div a) div 2 + 6, a = w div n.
std::string ShortenedText(const std::string& s, int textWidthPixels, int labelWidthPixels);
// The same by UTF-16 units, never splitting a surrogate pair.
std::wstring ShortenedText(const std::wstring& s, int textWidthPixels, int labelWidthPixels);
// What a path label width pixels wide shows of a caption and its real form ("" when the
// caption reaches the path): either shortened as above; measure gives a text's width.
std::wstring EllipsisShownText(const std::string& caption, const std::wstring& real, int width,
                               const std::function<int(const std::wstring&)>& measure);
