#include "toolkit/ListBox.h"

bool ListBox::Create(HWND parent, int left, int top, int width, int height)
{
    return CreateChild(parent, "LISTBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY,
                       WS_EX_CLIENTEDGE, left, top, width, height);
}

void ListBox::AddItem(const std::string& text)
{
    SendMessageA(Handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListBox::Count() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, LB_GETCOUNT, 0, 0)) : 0;
}
