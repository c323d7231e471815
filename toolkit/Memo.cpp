#include "toolkit/Memo.h"

bool Memo::Create(HWND parent, int left, int top, int width, int height)
{
    return CreateChild(parent, "EDIT", "",
                       WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                           ES_AUTOVSCROLL,
                       WS_EX_CLIENTEDGE, left, top, width, height, true);
}

void Memo::SetText(const std::wstring& text)
{
    if (Handle) SetWindowTextW(Handle, text.c_str());
}

std::wstring Memo::Text() const
{
    if (!Handle) return L"";
    std::wstring text(GetWindowTextLengthW(Handle) + 1, L'\0');
    text.resize(GetWindowTextW(Handle, &text[0], static_cast<int>(text.size())));
    return text;
}
