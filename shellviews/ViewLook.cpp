#include "shellviews/ShView.h"

#include <cstring>

COLORREF ResolveColor(COLORREF color)
{
    if (color & 0x80000000) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

ViewLook::~ViewLook()
{
    if (Font) DeleteObject(Font);
}

LOGFONTA ViewLook::LogFont(UINT dpi) const
{
    LOGFONTA font{};
    font.lfHeight = -PointsToPixels(FontSize, dpi);
    font.lfWeight = (FontStyle & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (FontStyle & 2) ? TRUE : FALSE;
    font.lfUnderline = (FontStyle & 4) ? TRUE : FALSE;
    font.lfStrikeOut = (FontStyle & 8) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    strncpy(font.lfFaceName, FontName.c_str(), LF_FACESIZE - 1);
    return font;
}

void ViewLook::SetLogFont(const LOGFONTA& font, UINT dpi)
{
    FontName.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    FontSize = MulDiv(height, 72, static_cast<int>(dpi));
    FontStyle = (font.lfWeight >= FW_BOLD ? 1 : 0) | (font.lfItalic ? 2 : 0) |
                (font.lfUnderline ? 4 : 0) | (font.lfStrikeOut ? 8 : 0);
}

HFONT ViewLook::MakeFont(UINT dpi)
{
    LOGFONTA font = LogFont(dpi);
    Font = CreateFontIndirectA(&font);
    return Font;
}
