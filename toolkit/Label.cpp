#include "toolkit/Label.h"

bool Label::Create(HWND parent, const std::string& text, int left, int top, int width, int height,
                   TextAlign align, bool sunken, bool noPrefix)
{
    DWORD style = WS_VISIBLE | SS_CENTERIMAGE;
    style |= align == TextAlign::Center ? SS_CENTER : align == TextAlign::Right ? SS_RIGHT : SS_LEFT;
    if (sunken) style |= SS_SUNKEN;
    if (noPrefix) style |= SS_NOPREFIX;
    return CreateChild(parent, "STATIC", text.c_str(), style, 0, left, top, width, height);
}

int Label::TextWidth() const
{
    if (!Exists()) return 0;
    std::string text = Text();
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    return extent.cx;
}

SIZE Label::TextExtent() const
{
    if (!Exists()) return {0, 0};
    std::string text = Text();
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(SYSTEM_FONT));
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    return {r.right, r.bottom};
}
