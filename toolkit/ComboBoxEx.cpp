#include "toolkit/ComboBoxEx.h"

#include "toolkit/CodePage.h"

#include <commctrl.h>

bool TComboBoxEx::Create(HWND parent, int left, int top, int width, int height, int dropDownRows,
                         int itemHeight)
{
    // A combo box's window height includes its dropped list. A wide window keeps the real
    // names of its entries and of its edit's text.
    if (!CreateChild(parent, "COMBOBOX", "",
                     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                     left, top, width, height + dropDownRows * itemHeight + 2, true))
        return false;
    SendMessageW(Handle, CB_SETITEMHEIGHT, 0, Scaled(itemHeight));
    SendMessageW(Handle, CB_SETMINVISIBLE, dropDownRows, 0);
    if (HWND edit = EditHandle()) {
        SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        editProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    }
    return true;
}

HWND TComboBoxEx::EditHandle() const
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return Handle && GetComboBoxInfo(Handle, &info) ? info.hwndItem : nullptr;
}

int TComboBoxEx::Count() const
{
    return static_cast<int>(SendMessageW(Handle, CB_GETCOUNT, 0, 0));
}

std::string TComboBoxEx::Item(int index) const
{
    return CodePageText(RealItem(index));
}

std::wstring TComboBoxEx::RealItem(int index) const
{
    LRESULT length = SendMessageW(Handle, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return L"";
    std::wstring text(length + 1, L'\0');
    SendMessageW(Handle, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

void TComboBoxEx::Insert(int index, const std::wstring& text)
{
    SendMessageW(Handle, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxEx::Add(const std::wstring& text)
{
    SendMessageW(Handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxEx::Delete(int index)
{
    SendMessageW(Handle, CB_DELETESTRING, index, 0);
}

int TComboBoxEx::ItemIndex() const
{
    return static_cast<int>(SendMessageW(Handle, CB_GETCURSEL, 0, 0));
}

// CB_SETCURSEL sends no CBN_SELCHANGE, so the program's own choice stays silent. The edit
// keeps showing the shown text.
void TComboBoxEx::SetItemIndex(int index)
{
    SendMessageW(Handle, CB_SETCURSEL, index, 0);
    ShowText(shown_);
}

void TComboBoxEx::SetShownText(const std::wstring& text)
{
    shown_ = text;
    ShowText(shown_);
}

void TComboBoxEx::ShowText(const std::wstring& text)
{
    HWND edit = EditHandle();
    if (!edit) return;
    SetWindowTextW(edit, text.c_str());
    // A path longer than the box shows its end: the folder's own name.
    int end = static_cast<int>(text.size());
    SendMessageW(edit, EM_SETSEL, end, end);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

std::wstring TComboBoxEx::EditText() const
{
    HWND edit = EditHandle();
    if (!edit) return L"";
    std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
    text.resize(GetWindowTextW(edit, &text[0], static_cast<int>(text.size())));
    return text;
}

void TComboBoxEx::SetEditText(const std::wstring& text)
{
    HWND edit = EditHandle();
    if (!edit) return;
    SetWindowTextW(edit, text.c_str());
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

bool TComboBoxEx::HasFocus() const
{
    HWND focus = GetFocus();
    return focus && Handle && (focus == Handle || IsChild(Handle, focus));
}

bool TComboBoxEx::Command(WORD code)
{
    if (code == CBN_KILLFOCUS) {
        // Leaving the edit without Enter leaves the folder as it was, and the box says so.
        ShowText(shown_);
        return false;
    }
    if (code == CBN_SELENDCANCEL) {
        // The list closed without a choice: the box shows the folder again, not the entry
        // the list offered on opening.
        ShowText(shown_);
        return false;
    }
    if (code != CBN_SELCHANGE || !OnChange) return false;
    OnChange();
    return true;
}

bool TComboBoxEx::EditKey(WPARAM key)
{
    bool dropped = SendMessageW(Handle, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (key == VK_RETURN && !dropped) {
        if (OnEnter) OnEnter(EditText());
        return true;
    }
    if (key == VK_ESCAPE && !dropped) {
        SetEditText(shown_);
        return true;
    }
    if (key == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
        SendMessageW(EditHandle(), EM_SETSEL, 0, -1);
        return true;
    }
    return false;
}

LRESULT CALLBACK TComboBoxEx::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<TComboBoxEx*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (!box || !box->editProc_) return DefWindowProcW(edit, message, wParam, lParam);
    const MSG* asked = reinterpret_cast<const MSG*>(lParam);
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Esc belong to the edit, not to the window's default buttons.
        if (asked && asked->message == WM_KEYDOWN &&
            (asked->wParam == VK_RETURN || asked->wParam == VK_ESCAPE) &&
            !SendMessageW(box->Handle, CB_GETDROPPEDSTATE, 0, 0))
            return CallWindowProcW(box->editProc_, edit, message, wParam, lParam) |
                   DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (box->EditKey(wParam)) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            // Alt+Down drops the list; the platform's own handling of the key then forgets
            // the Alt, so that letting it go does not also open the menu bar.
            LRESULT done = CallWindowProcW(box->editProc_, edit, message, wParam, lParam);
            DefWindowProcW(edit, message, wParam, lParam);
            return done;
        }
        break;
    case WM_CHAR:
        // The characters of the keys handled above would only beep.
        if (wParam == L'\r' || wParam == 0x1B || wParam == 0x01) {
            if (!SendMessageW(box->Handle, CB_GETDROPPEDSTATE, 0, 0)) return 0;
        }
        break;
    }
    return CallWindowProcW(box->editProc_, edit, message, wParam, lParam);
}
