#include "toolkit/ComboBoxEx.h"

#include <commctrl.h>

bool TComboBoxEx::Create(HWND parent, int left, int top, int width, int height, int dropDownRows,
                         int itemHeight)
{
    // A combo box's window height includes its dropped list.
    if (!CreateChild(parent, "COMBOBOX", "",
                     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL, 0,
                     left, top,
                     width, height + dropDownRows * itemHeight + 2))
        return false;
    SendMessageA(Handle, CB_SETITEMHEIGHT, 0, Scaled(itemHeight));
    SendMessageA(Handle, CB_SETMINVISIBLE, dropDownRows, 0);
    return true;
}

int TComboBoxEx::Count() const
{
    return static_cast<int>(SendMessageA(Handle, CB_GETCOUNT, 0, 0));
}

std::string TComboBoxEx::Item(int index) const
{
    LRESULT length = SendMessageA(Handle, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return "";
    std::string text(length + 1, '\0');
    SendMessageA(Handle, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

void TComboBoxEx::Insert(int index, const std::string& text)
{
    SendMessageA(Handle, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxEx::Add(const std::string& text)
{
    SendMessageA(Handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxEx::Delete(int index)
{
    SendMessageA(Handle, CB_DELETESTRING, index, 0);
}

int TComboBoxEx::ItemIndex() const
{
    return static_cast<int>(SendMessageA(Handle, CB_GETCURSEL, 0, 0));
}

// CB_SETCURSEL sends no CBN_SELCHANGE, so the program's own choice stays silent.
void TComboBoxEx::SetItemIndex(int index)
{
    SendMessageA(Handle, CB_SETCURSEL, index, 0);
}

bool TComboBoxEx::Command(WORD code)
{
    if (code != CBN_SELCHANGE || !OnChange) return false;
    OnChange();
    return true;
}
