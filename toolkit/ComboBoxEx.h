#pragma once
#include "toolkit/Window.h"

#include <functional>
#include <string>

// A drop-down of folder paths with an edit above it: the edit shows the text it is
// given (the pane's folder) and takes a path typed or pasted into it. Entries and texts
// are kept as the file system spells them, so names the code page cannot hold show as
// they are. Changes made by the program do not raise OnChange; only the user's choice
// of an entry does. Enter in the edit raises OnEnter with the text as typed; Esc, and
// leaving the edit without Enter, put the shown text back.
struct TComboBoxEx : Control {
    std::function<void()> OnChange;
    std::function<void(const std::wstring& typed)> OnEnter;

    bool Create(HWND parent, int left, int top, int width, int height, int dropDownRows,
                int itemHeight);
    int Count() const;
    std::string Item(int index) const; // in the code page, "?" for what it cannot hold
    std::wstring RealItem(int index) const;
    void Insert(int index, const std::wstring& text);
    void Add(const std::wstring& text);
    void Delete(int index);
    int ItemIndex() const; // -1 when nothing is selected
    void SetItemIndex(int index);

    // What the edit shows while no one types in it.
    void SetShownText(const std::wstring& text);
    const std::wstring& ShownText() const { return shown_; }
    // The edit's text now, typed or shown; and a text put there with all of it selected.
    std::wstring EditText() const;
    void SetEditText(const std::wstring& text);
    HWND EditHandle() const;
    // The focus is in the box (its edit has it).
    bool HasFocus() const;

    bool Command(WORD code) override;

private:
    std::wstring shown_;
    WNDPROC editProc_ = nullptr;
    void ShowText(const std::wstring& text);
    bool EditKey(WPARAM key);
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
};
