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
