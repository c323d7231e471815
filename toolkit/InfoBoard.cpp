#include "toolkit/InfoBoard.h"

#include "toolkit/AccessibleName.h"
#include "toolkit/CodePage.h"
#include "toolkit/CommandGuard.h"

#include <oleacc.h>

const char* const BoardClassName = "VexilBoard";

namespace {
const char* const FontProperty = "Vexil.Font";

int Measure(HDC dc, const std::wstring& text)
{
    SIZE extent{};
    if (!text.empty())
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

// The board's font selected into a device context of its own, for measuring.
struct BoardDC {
    HWND Window;
    HDC Dc;
    HGDIOBJ Old;
    explicit BoardDC(HWND window) : Window(window), Dc(GetDC(window))
    {
        auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        Old = SelectObject(Dc, font ? font : GetStockObject(SYSTEM_FONT));
    }
    ~BoardDC()
    {
        SelectObject(Dc, Old);
        ReleaseDC(Window, Dc);
    }
    BoardDC(const BoardDC&) = delete;
    BoardDC& operator=(const BoardDC&) = delete;
};
} // namespace

bool InfoBoard::Create(HWND parent, int left, int top, int width, int height)
{
    if (!CreateChild(parent, BoardClassName, "", WS_VISIBLE, 0, left, top, width, height))
        return false;
    SetAccessibleItems(Handle, [this] {
        std::vector<AccessibleItem> items;
        BoardDC measuring(Handle);
        for (const Part& part : parts_) {
            if (part.Box) continue;
            AccessibleItem item;
            std::wstring shown = ShownText(part, measuring.Dc);
            item.Name = CodePageText(shown);
            item.RealName = shown;
            item.Screen = part.Bounds;
            MapWindowPoints(Handle, HWND_DESKTOP, reinterpret_cast<POINT*>(&item.Screen), 2);
            item.Role = ROLE_SYSTEM_STATICTEXT;
            item.State = STATE_SYSTEM_READONLY;
            items.push_back(item);
        }
        return items;
    });
    return true;
}

BoardPart InfoBoard::AddBox()
{
    Part part;
    part.Box = true;
    parts_.push_back(part);
    return {this, static_cast<int>(parts_.size()) - 1};
}

BoardPart InfoBoard::AddText(const std::string& text, TextAlign align, bool sunken)
{
    Part part;
    part.Text = text;
    part.Align = align;
    part.Sunken = sunken;
    parts_.push_back(part);
    return {this, static_cast<int>(parts_.size()) - 1};
}

void InfoBoard::Place(int part, const RECT& pixels)
{
    RECT& bounds = parts_.at(static_cast<size_t>(part)).Bounds;
    if (EqualRect(&bounds, &pixels)) return;
    if (Handle) InvalidateRect(Handle, &bounds, TRUE);
    bounds = pixels;
    if (Handle) InvalidateRect(Handle, &bounds, TRUE);
}

RECT InfoBoard::PartRect(int part) const
{
    return parts_.at(static_cast<size_t>(part)).Bounds;
}

void InfoBoard::SetText(int part, const std::string& text, const std::wstring& real)
{
    Part& p = parts_.at(static_cast<size_t>(part));
    p.Text = text;
    p.Real = real.empty() || real == WideOf(text) ? std::wstring() : real;
    if (Handle) InvalidateRect(Handle, &p.Bounds, TRUE);
}

const std::string& InfoBoard::Text(int part) const
{
    return parts_.at(static_cast<size_t>(part)).Text;
}

const std::wstring& InfoBoard::RealText(int part) const
{
    return parts_.at(static_cast<size_t>(part)).Real;
}

void InfoBoard::SetShortening(int part, Shortening shortening)
{
    parts_.at(static_cast<size_t>(part)).Shorten = std::move(shortening);
}

std::wstring InfoBoard::ShownText(int part) const
{
    if (!Handle) return {};
    BoardDC measuring(Handle);
    return ShownText(parts_.at(static_cast<size_t>(part)), measuring.Dc);
}

std::wstring InfoBoard::ShownText(const Part& part, HDC dc) const
{
    if (!part.Shorten) return part.Real.empty() ? WideOf(part.Text) : part.Real;
    int width = part.Bounds.right - part.Bounds.left;
    return part.Shorten(part.Text, part.Real, width,
                        [dc](const std::wstring& text) { return Measure(dc, text); });
}

int InfoBoard::TextWidth(const std::string& text) const
{
    if (!Handle) return 0;
    auto known = widths_.find(text);
    if (known != widths_.end()) return known->second;
    BoardDC measuring(Handle);
    int width = Measure(measuring.Dc, WideOf(text));
    widths_.emplace(text, width);
    return width;
}

void InfoBoard::FontChanged()
{
    widths_.clear();
    if (Handle) InvalidateRect(Handle, nullptr, TRUE);
}

void InfoBoard::Paint(HDC dc) const
{
    auto font = reinterpret_cast<HFONT>(SendMessageA(Handle, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (const Part& part : parts_) {
        RECT r = part.Bounds;
        if (part.Box) {
            DrawEdge(dc, &r, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
            continue;
        }
        if (part.Sunken) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        std::wstring shown = ShownText(part, dc);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
        format |= part.Align == TextAlign::Center  ? DT_CENTER
                  : part.Align == TextAlign::Right ? DT_RIGHT
                                                   : DT_LEFT;
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &r, format);
    }
    SelectObject(dc, old);
}

namespace {
LRESULT BoardMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (auto* board = static_cast<InfoBoard*>(ControlOf(hwnd))) board->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFONT:
        SetPropA(hwnd, FontProperty, reinterpret_cast<HANDLE>(wParam));
        if (auto* board = static_cast<InfoBoard*>(ControlOf(hwnd))) board->FontChanged();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(hwnd, FontProperty));
    case WM_NCDESTROY:
        RemovePropA(hwnd, FontProperty);
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

LRESULT CALLBACK InfoBoard::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return BoardMessage(hwnd, message, wParam, lParam); });
}
