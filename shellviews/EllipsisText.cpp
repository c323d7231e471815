#include "shellviews/EllipsisText.h"

#include "toolkit/CodePage.h"

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
                     width, height, true))
        return false;
    SetWindowSubclass(Handle, EllipsisSubclassProc, EllipsisSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    UpdateShownText();
    return true;
}

void TEllipsisText::SetCaption(const std::string& caption, const std::wstring& real)
{
    std::wstring shown = real.empty() || real == WideOf(caption) ? std::wstring() : real;
    if (caption == caption_ && shown == real_) return;
    caption_ = caption;
    real_ = shown;
    UpdateShownText();
}

void TEllipsisText::UpdateShownText()
{
    if (!Exists()) return;
    if (!real_.empty()) {
        SetWindowTextW(Handle, Ellipsis ? ShortenedText(real_, TextWidth(real_), Width()).c_str()
                                        : real_.c_str());
        return;
    }
    SetText(Ellipsis ? ShortenedText(caption_, TextWidth(WideOf(caption_)), Width()) : caption_);
}

int TEllipsisText::TextWidth(const std::wstring& text) const
{
    SIZE extent{};
    if (text.empty()) return 0;
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(SYSTEM_FONT));
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    return extent.cx;
}

namespace {
template <typename Text> bool SplitsPair(const Text&, size_t)
{
    return false;
}
// Whether a cut before unit i falls inside a surrogate pair.
bool SplitsPair(const std::wstring& s, size_t i)
{
    return i > 0 && i < s.size() && IS_HIGH_SURROGATE(s[i - 1]) && IS_LOW_SURROGATE(s[i]);
}

template <typename Text>
Text Shortened(const Text& s, int textWidthPixels, int labelWidthPixels, const Text& dots)
{
    if (s.empty()) return {};
    const int n = static_cast<int>(s.size());
    const int w = textWidthPixels;
    if (w <= labelWidthPixels) return s;
    const int a = w / n;
    // Narrower than a pixel per byte: there is no average to cut by, so show it whole.
    if (a == 0) return s;
    const int k = ((w - labelWidthPixels) / a) / 2 + 6;
    const int h = n / 2;
    Text result;
    if (h - k > 0) {
        size_t head = static_cast<size_t>(h - k);
        result = s.substr(0, SplitsPair(s, head) ? head - 1 : head);
    }
    result += dots;
    if (h + k <= n) {
        size_t tail = static_cast<size_t>(h + k - 1);
        result += s.substr(SplitsPair(s, tail) ? tail + 1 : tail);
    }
    return result;
}
} // namespace

std::string ShortenedText(const std::string& s, int textWidthPixels, int labelWidthPixels)
{
    return Shortened<std::string>(s, textWidthPixels, labelWidthPixels, "...");
}

std::wstring ShortenedText(const std::wstring& s, int textWidthPixels, int labelWidthPixels)
{
    return Shortened<std::wstring>(s, textWidthPixels, labelWidthPixels, L"...");
}

std::wstring EllipsisShownText(const std::string& caption, const std::wstring& real, int width,
                               const std::function<int(const std::wstring&)>& measure)
{
    if (!real.empty()) return ShortenedText(real, measure(real), width);
    return WideOf(ShortenedText(caption, measure(WideOf(caption)), width));
}
