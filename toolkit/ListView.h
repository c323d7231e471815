#pragma once
#include "toolkit/Label.h"
#include "toolkit/Window.h"

#include <commctrl.h>
#include <functional>
#include <string>

// A report-style list view over rows the form keeps itself (owner data): the list asks
// for each visible cell, so hundreds of thousands of rows cost nothing to add.
struct ListView : Control {
    std::function<std::string(int row, int column)> OnGetText;
    std::function<void(int column)> OnColumnClick;
    std::function<void()> OnChange; // a row's state changed, by mouse or keyboard
    std::function<void()> OnClick;
    std::function<void()> OnRightClick;

    // sortHeaders: the column headers act as buttons and raise OnColumnClick.
    bool Create(HWND parent, int left, int top, int width, int height, bool singleSelection,
                bool sortHeaders);
    void AddColumn(const std::string& caption, int width, TextAlign align);
    int ColumnCount() const;
    void SetRowCount(int count);
    int RowCount() const;
    int Selected() const; // -1 when no row is selected
    void Select(int row); // -1 clears the selection
    void SetRedraw(bool redraw);
    void Repaint(); // after the rows behind the list changed
    bool Notify(NMHDR* header, LRESULT& result) override;
};
