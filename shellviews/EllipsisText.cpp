#include "shellviews/EllipsisText.h"

#include <commctrl.h>

namespace {
const UINT_PTR EllipsisSubclassId = 0x454C4C;

// The label re-shortens after the static has taken a new size or font.
LRESULT CALLBACK EllipsisSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR refData)
{
    auto* label = reinterpret_cast<TEllipsisText*>(refData);
    switch (message) {
    case WM_SIZE:
    case WM_SETFONT: {
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (label->Handle == hwnd) label->UpdateShownText();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, EllipsisSubclassProc, EllipsisSubclassId);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
} // namespace

bool TEllipsisText::Create(HWND parent, int left, int top, int width, int height)
{
    if (!CreateChild(parent, "STATIC", caption_.c_str(),
                     WS_VISIBLE | SS_LEFT | SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE, 0, left, top,
                     width, height))
        return false;
    SetWindowSubclass(Handle, EllipsisSubclassProc, EllipsisSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    UpdateShownText();
    return true;
}

void TEllipsisText::SetCaption(const std::string& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    UpdateShownText();
}

void TEllipsisText::UpdateShownText()
{
    if (!Exists()) return;
    if (!Ellipsis) {
        SetText(caption_);
        return;
    }
    SIZE extent{};
    if (!caption_.empty()) {
        HDC dc = GetDC(Handle);
        HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(SYSTEM_FONT));
        GetTextExtentPoint32A(dc, caption_.data(), static_cast<int>(caption_.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(Handle, dc);
    }
    SetText(ShortenedText(caption_, extent.cx, Width()));
}

std::string ShortenedText(const std::string& s, int textWidthPixels, int labelWidthPixels)
{
    if (s.empty()) return "";
    const int n = static_cast<int>(s.size());
    const int w = textWidthPixels;
    if (w <= labelWidthPixels) return s;
    const int a = w / n;
    // Narrower than a pixel per byte: there is no average to cut by, so show it whole.
    if (a == 0) return s;
    const int k = ((w - labelWidthPixels) / a) / 2 + 6;
    const int h = n / 2;
    std::string result;
    if (h - k > 0) result = s.substr(0, static_cast<size_t>(h - k));
    result += "...";
    if (h + k <= n) result += s.substr(static_cast<size_t>(h + k - 1));
    return result;
}
