#pragma once
#include "toolkit/Window.h"

#include <functional>

// A drop-down list of plain strings (no typing). Changes made by the program do not
// raise OnChange; only the user's choice does.
struct TComboBoxEx : Control {
    std::function<void()> OnChange;

    bool Create(HWND parent, int left, int top, int width, int height, int dropDownRows,
                int itemHeight);
    int Count() const;
    std::string Item(int index) const;
    void Insert(int index, const std::string& text);
    void Add(const std::string& text);
    void Delete(int index);
    int ItemIndex() const; // -1 when nothing is selected
    void SetItemIndex(int index);
    bool Command(WORD code) override;
};
