#pragma once
#include "textdiff/CharDiff.h"
#include "textdiff/DiffRows.h"
#include "toolkit/Window.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// The two files of a text comparison side by side, painted by hand: line numbers, the
// rows of each change in colours, the characters that differ inside a changed pair, one
// scroll for both sides, and a strip at the right that shows where the changes lie in
// the whole file. Nothing is kept per line: a row is read from its file when painted.
struct TextPanes : Control {
    std::function<void()> OnPositionChanged; // the current row moved

    bool Create(HWND parent, int left, int top, int width, int height);
    // What to show; the panes keep the pointers until the next call.
    void Show(const TextFile* a, const TextFile* b, const DiffRows* rows,
              const TextOptions& options);
    void DpiChanged(UINT oldDpi) override;

    size_t CurrentRow() const { return current_; }
    size_t TopRow() const { return top_; }
    size_t VisibleRows() const;
    // Makes the row current and brings it into view (a change a few rows below the top).
    void GoToRow(size_t row);
    bool GoToNextDifference();     // false when there is none after the current row
    bool GoToPreviousDifference(); // false when there is none before it
    // Scrolls, moving the current row along.
    void ScrollTo(size_t topRow);
    // The selected lines of the side last clicked (the current row when none is
    // selected), as text with CR LF between them.
    std::wstring SelectedText() const;
    int FocusSide() const { return side_; }
    // The row and side at a client point; false outside both panes' text.
    bool RowAt(POINT client, size_t& row, int& side) const;
    // Where the location strip is (client coordinates).
    RECT StripRect() const;

    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

private:
    const TextFile* files_[2] = {nullptr, nullptr};
    const DiffRows* rows_ = nullptr;
    TextOptions options_;
    size_t top_ = 0, current_ = 0;
    size_t anchor_ = 0; // the other end of the selection
    int side_ = 0;
    int left_ = 0; // pixels scrolled to the right
    HFONT font_ = nullptr;
    int rowHeight_ = 16, charWidth_ = 8, digitWidth_ = 8;
    size_t longestLine_ = 0;
    std::unordered_map<size_t, CharDifferences> highlights_; // of rows painted lately

    struct Layout {
        int Gutter, PaneWidth, Strip;
        int PaneLeft[2]; // where each pane (its gutter) starts
    };
    Layout LayoutOf(int clientWidth) const;
    void MakeFont();
    void UpdateScrollBars();
    void Select(size_t row, bool extend);
    void MoveBy(long long rows, bool extend);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);
    bool Key(WPARAM key, bool alt);
    void Click(POINT at, bool extend);
    void Paint(HDC dc, const RECT& client);                       // TextPanesPaint.cpp
    void PaintRow(HDC dc, const Layout& layout, size_t row, int y); // TextPanesPaint.cpp
    void PaintStrip(HDC dc, const RECT& strip);                    // TextPanesPaint.cpp
    const CharDifferences& HighlightsOf(size_t row, const DiffRow& shown);
};

// A line as the panes show it: tabs to the next multiple of four, control characters as
// a dot. at[i] is where character i of text stands in shown (at[size] is the end).
void ShownLine(const std::wstring& text, std::wstring& shown, std::vector<uint32_t>& at);
