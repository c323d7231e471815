#pragma once
#include "toolkit/Window.h"

#include <string>

// The two small read-only views the settings dialog shows its font and colours on.
// Colours are RGB values or 0x80000000 + a system colour index, as the views keep them.

struct PreviewTree : Control {
    bool Create(HWND parent, int left, int top, int width, int height);
    void AddNode(const std::string& text, bool child); // a child of the last top node
    void ExpandAll();
    bool AllExpanded() const;
    void SetColors(COLORREF back, COLORREF text);
};

struct PreviewList : Control {
    bool Create(HWND parent, int left, int top, int width, int height);
    void AddColumn(const std::string& caption, int width);
    void AddRow(const std::string* cells, int count);
    void SetColors(COLORREF back, COLORREF text);
    // Each column as wide as its header and its cells in the list's font.
    void FitColumns();
};

// The RGB value of a colour in the views' encoding.
COLORREF PlainColor(COLORREF color);
