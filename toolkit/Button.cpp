#include "toolkit/Button.h"

#include <algorithm>

bool Button::Create(HWND parent, const std::string& caption, int left, int top, int width,
                    int height, bool isDefault)
{
    DWORD style = WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return CreateChild(parent, "BUTTON", caption.c_str(), style, 0, left, top, width, height);
}

void Button::Click()
{
    if (OnClick && Enabled()) OnClick();
}

bool Button::Command(WORD code)
{
    if (code != BN_CLICKED || !OnClick) return false;
    OnClick();
    return true;
}

bool CheckBox::Create(HWND parent, const std::string& caption, int left, int top, int width,
                      int height)
{
    return CreateChild(parent, "BUTTON", caption.c_str(), WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                       0, left, top, width, height);
}

int CheckBox::FittedWidth() const
{
    std::string caption = Text();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, Font());
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    return size.cx + Scaled(24);
}

bool CheckBox::Checked() const
{
    return Handle && SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked)
{
    if (!Handle || Checked() == checked) return;
    SendMessageA(Handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

bool CheckBox::Command(WORD code)
{
    if (code != BN_CLICKED || !OnClick) return false;
    OnClick();
    return true;
}
