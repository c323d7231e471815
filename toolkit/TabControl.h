#pragma once
#include "toolkit/Window.h"

#include <functional>

// The tab strip. Pages are separate windows of the owner placed over PageRect(),
// shown and hidden by the owner when OnChange reports a new tab.
struct TabControl : Control {
    std::function<void()> OnChange;

    bool Create(HWND parent, int left, int top, int width, int height);
    int AddTab(const std::string& caption);
    int TabCount() const;
    int SelectedIndex() const;
    // Selecting from the program raises OnChange too, so pages follow.
    void SetSelectedIndex(int index);
    // The area below the tabs, in the parent's client coordinates.
    RECT PageRect() const;
    bool Notify(NMHDR* header, LRESULT& result) override;
};
