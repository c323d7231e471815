#pragma once
#include "toolkit/Label.h"
#include "toolkit/Window.h"

#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

// A report-style list view over rows the form keeps itself (owner data): the list asks
// for each visible cell, so hundreds of thousands of rows cost nothing to add.
struct ListView : Control {
    std::function<std::string(int row, int column)> OnGetText;
    // A cell's text as the file system spells it where the code page cannot hold it, else
    // empty. Setting it has the list ask for its texts in wide characters.
    void UseRealTexts(std::function<std::wstring(int row, int column)> realText);
    std::function<void(int column)> OnColumnClick;
    std::function<void()> OnChange; // a row's state changed, by mouse or keyboard
    std::function<void()> OnClick;
    std::function<void()> OnDoubleClick; // on a row (the row is selected first)
    // A right click, Shift+F10 or the Apps key, with where the menu goes (screen).
    std::function<void(POINT screen)> OnContextMenu;
    // Enter on the list; while set, Enter opens the focused row instead of pressing the
    // form's default button.
    std::function<void()> OnEnter;
    std::function<void()> OnCopy; // Ctrl+C

    // sortHeaders: the column headers act as buttons and raise OnColumnClick.
    bool Create(HWND parent, int left, int top, int width, int height, bool singleSelection,
                bool sortHeaders);
    // Width at 96 dpi, widened to the caption where the font needs more, and to the
    // widest text its cells hold where one is given.
    void AddColumn(const std::string& caption, int width, TextAlign align,
                   const std::string& widest = {});
    void DpiChanged(UINT oldDpi) override;
    int ColumnCount() const;
    void SetRowCount(int count);
    int RowCount() const;
    int Selected() const; // -1 when no row is selected
    std::vector<int> SelectedRows() const; // in row order
    void Select(int row); // -1 clears the selection
    // The arrow of the column the rows are sorted by: up for ascending (direction > 0),
    // down for descending; every other column's arrow goes.
    void SetSortArrow(int column, int direction);
    int SortArrowColumn() const;    // -1 when none shows
    int SortArrowDirection() const; // +1 up, -1 down, 0 none
    void SetRedraw(bool redraw);
    void Repaint(); // after the rows behind the list changed
    // Type-to-find: the first row from start on (wrapping to the top when wrap is set)
    // whose first column starts with the text, ignoring the case of Latin letters; whole
    // text instead of a start when partial is false. -1 when none.
    int FindRow(const std::string& text, int start, bool partial, bool wrap) const;
    bool Notify(NMHDR* header, LRESULT& result) override;
    bool ContextMenu(POINT screen) override;

private:
    std::function<std::wstring(int row, int column)> realText_;
};

// The caption of a header's column, "" past its last column.
std::string HeaderItemText(HWND header, int index);
// Keeps a report list's column widths where they were on the screen at another DPI.
void ScaleColumnWidths(HWND list, UINT oldDpi, UINT newDpi);

// Where a list view's context menu opens: at the mouse, or, asked from the keyboard
// (screen (-1, -1)), at the focused item, or at the list's corner when none has the focus.
POINT ListMenuPoint(HWND list, POINT screen);

// A typed search of an owner-data list (LVN_ODFINDITEMA or W), its text in the code page.
struct FindRequest {
    std::string Text;
    int Start = 0;
    bool Partial = false;
    bool Wrap = false;
};
// Reads the request of a find notification; false when it asks for no text.
bool ReadFindRequest(NMHDR* header, FindRequest& request);

// Whether text starts with prefix (is equal to it when whole), ignoring the case of
// Latin letters; double-byte characters compare as they are.
bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix, bool whole = false);
