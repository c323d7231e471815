#include "toolkit/ListBox.h"

bool ListBox::Create(HWND parent, int left, int top, int width, int height, bool wide)
{
    return CreateChild(parent, "LISTBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY,
                       WS_EX_CLIENTEDGE, left, top, width, height, wide);
}

void ListBox::AddItem(const std::wstring& text)
{
    SendMessageW(Handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring ListBox::WideItem(int index) const
{
    LRESULT length = SendMessageW(Handle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Handle, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ListBox::AddItem(const std::string& text)
{
    SendMessageA(Handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListBox::Count() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, LB_GETCOUNT, 0, 0)) : 0;
}

std::string ListBox::Item(int index) const
{
    LRESULT length = SendMessageA(Handle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ListBox::DeleteItem(int index)
{
    SendMessageA(Handle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear()
{
    SendMessageA(Handle, LB_RESETCONTENT, 0, 0);
}

int ListBox::SelectedIndex() const
{
    LRESULT index = SendMessageA(Handle, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::SetSelectedIndex(int index)
{
    SendMessageA(Handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
