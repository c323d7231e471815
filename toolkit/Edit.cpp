#include "toolkit/Edit.h"

bool Edit::Create(HWND parent, const std::string& text, int left, int top, int width, int height)
{
    return CreateChild(parent, "EDIT", text.c_str(), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, left, top, width, height);
}

bool Edit::CreateWide(HWND parent, const std::wstring& text, int left, int top, int width,
                      int height)
{
    if (!CreateChild(parent, "EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                     left, top, width, height, true))
        return false;
    SendMessageW(Handle, EM_SETLIMITTEXT, 0, 0); // as much as the control holds
    SetWideText(text);
    return true;
}

bool Edit::Command(WORD code)
{
    if (code != EN_CHANGE || !OnChange) return false;
    OnChange();
    return true;
}
