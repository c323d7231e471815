#include "toolkit/Edit.h"

bool Edit::Create(HWND parent, const std::string& text, int left, int top, int width, int height)
{
    return CreateChild(parent, "EDIT", text.c_str(), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, left, top, width, height);
}

bool Edit::Command(WORD code)
{
    if (code != EN_CHANGE || !OnChange) return false;
    OnChange();
    return true;
}
