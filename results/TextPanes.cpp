#include "results/TextPanes.h"

#include "toolkit/Application.h"
#include "toolkit/CommandGuard.h"

#include <algorithm>
#include <windowsx.h>

namespace {
const char* const PanesClassName = "VexilTextPanes";
const char* const PanesFontFace = "ＭＳ ゴシック";
const int PanesFontPoints = 10;
const int StripWidth = 16; // at 96 dpi
const int Gap = 4;         // between the panes, and before the strip

void RegisterPanesClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TextPanes::WindowProc;
    wc.hInstance = Application.Instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    wc.lpszClassName = PanesClassName;
    wc.style = CS_DBLCLKS;
    registered = RegisterClassExA(&wc) != 0;
}

SCROLLINFO ScrollInfoOf(HWND window, int bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

int Digits(size_t n)
{
    int digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}
} // namespace

void ShownLine(const std::wstring& text, std::wstring& shown, std::vector<uint32_t>& at)
{
    shown.clear();
    at.resize(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        at[i] = static_cast<uint32_t>(shown.size());
        wchar_t c = text[i];
        if (c == L'\t') {
            shown.append(4 - shown.size() % 4, L' ');
        } else if (c < 0x20 || c == 0x7F) {
            shown += L'\x00B7';
        } else {
            shown += c;
        }
    }
    at[text.size()] = static_cast<uint32_t>(shown.size());
}

bool TextPanes::Create(HWND parent, int left, int top, int width, int height)
{
    RegisterPanesClass();
    if (!CreateChild(parent, PanesClassName, "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
                     WS_EX_CLIENTEDGE, left, top, width, height))
        return false;
    MakeFont();
    return true;
}

void TextPanes::MakeFont()
{
    if (font_) DeleteObject(font_);
    font_ = CreateFontPoints(PanesFontFace, PanesFontPoints, Dpi);
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
    rowHeight_ = metrics.tmHeight + Scaled(2);
    charWidth_ = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 8;
    digitWidth_ = digit.cx > 0 ? digit.cx : charWidth_;
}

void TextPanes::DpiChanged(UINT)
{
    MakeFont();
    UpdateScrollBars();
    InvalidateRect(Handle, nullptr, FALSE);
}

void TextPanes::Show(const TextFile* a, const TextFile* b, const DiffRows* rows,
                     const TextOptions& options)
{
    files_[0] = a;
    files_[1] = b;
    rows_ = rows;
    options_ = options;
    highlights_.clear();
    longestLine_ = 0;
    for (const TextFile* file : files_)
        if (file)
            for (const TextLine& line : file->Lines)
                longestLine_ = std::max<size_t>(longestLine_, line.Length);
    size_t count = rows ? rows->Count() : 0;
    top_ = std::min(top_, count ? count - 1 : 0);
    current_ = anchor_ = std::min(current_, count ? count - 1 : 0);
    UpdateScrollBars();
    InvalidateRect(Handle, nullptr, FALSE);
}

TextPanes::Layout TextPanes::LayoutOf(int clientWidth) const
{
    Layout layout;
    size_t lines = 1;
    for (const TextFile* file : files_)
        if (file) lines = std::max(lines, file->Lines.size());
    layout.Gutter = Digits(lines) * digitWidth_ + Scaled(12);
    layout.Strip = Scaled(StripWidth);
    int gap = Scaled(Gap);
    layout.PaneWidth = std::max(0, (clientWidth - layout.Strip - 2 * gap) / 2);
    layout.PaneLeft[0] = 0;
    layout.PaneLeft[1] = layout.PaneWidth + gap;
    return layout;
}

RECT TextPanes::StripRect() const
{
    RECT client;
    GetClientRect(Handle, &client);
    Layout layout = LayoutOf(client.right);
    return {client.right - layout.Strip, 0, client.right, client.bottom};
}

size_t TextPanes::VisibleRows() const
{
    RECT client;
    GetClientRect(Handle, &client);
    return static_cast<size_t>(std::max(1L, client.bottom / rowHeight_));
}

void TextPanes::UpdateScrollBars()
{
    if (!Handle) return;
    size_t count = rows_ ? rows_->Count() : 0;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::min<size_t>(count, INT_MAX - 1));
    info.nPage = static_cast<UINT>(VisibleRows());
    info.nPos = static_cast<int>(top_);
    SetScrollInfo(Handle, SB_VERT, &info, TRUE);
    RECT client;
    GetClientRect(Handle, &client);
    Layout layout = LayoutOf(client.right);
    int textWidth = std::max(1, layout.PaneWidth - layout.Gutter);
    info.nMax = static_cast<int>(std::min<size_t>(longestLine_ * charWidth_ + charWidth_, INT_MAX / 2));
    info.nPage = static_cast<UINT>(textWidth);
    info.nPos = left_;
    SetScrollInfo(Handle, SB_HORZ, &info, TRUE);
}

void TextPanes::ScrollTo(size_t topRow)
{
    size_t count = rows_ ? rows_->Count() : 0;
    size_t page = VisibleRows();
    size_t last = count > page ? count - page : 0;
    topRow = std::min(topRow, last);
    if (topRow == top_) return;
    top_ = topRow;
    UpdateScrollBars();
    InvalidateRect(Handle, nullptr, FALSE);
}

void TextPanes::GoToRow(size_t row)
{
    if (!rows_ || rows_->Count() == 0) return;
    row = std::min(row, rows_->Count() - 1);
    current_ = anchor_ = row;
    size_t page = VisibleRows();
    if (row < top_ || row >= top_ + page) ScrollTo(row > page / 4 ? row - page / 4 : 0);
    InvalidateRect(Handle, nullptr, FALSE);
    if (OnPositionChanged) OnPositionChanged();
}

bool TextPanes::GoToNextDifference()
{
    size_t row = rows_ ? rows_->NextDifference(current_) : DiffRow::NoLine;
    if (row == DiffRow::NoLine) return false;
    GoToRow(row);
    return true;
}

bool TextPanes::GoToPreviousDifference()
{
    size_t row = rows_ ? rows_->PreviousDifference(current_) : DiffRow::NoLine;
    if (row == DiffRow::NoLine) return false;
    GoToRow(row);
    return true;
}

void TextPanes::Select(size_t row, bool extend)
{
    current_ = row;
    if (!extend) anchor_ = row;
    size_t page = VisibleRows();
    if (row < top_)
        ScrollTo(row);
    else if (row >= top_ + page)
        ScrollTo(row - page + 1);
    InvalidateRect(Handle, nullptr, FALSE);
    if (OnPositionChanged) OnPositionChanged();
}

void TextPanes::MoveBy(long long rows, bool extend)
{
    if (!rows_ || rows_->Count() == 0) return;
    long long target = static_cast<long long>(current_) + rows;
    target = std::max(0LL, std::min(target, static_cast<long long>(rows_->Count()) - 1));
    Select(static_cast<size_t>(target), extend);
}

std::wstring TextPanes::SelectedText() const
{
    std::wstring text;
    const TextFile* file = files_[side_];
    if (!rows_ || !file || rows_->Count() == 0) return text;
    size_t first = std::min(current_, anchor_), last = std::max(current_, anchor_);
    for (size_t row = first; row <= last; ++row) {
        DiffRow shown = rows_->At(row);
        size_t line = side_ == 0 ? shown.Left : shown.Right;
        if (line == DiffRow::NoLine) continue;
        if (!text.empty()) text += L"\r\n";
        file->DecodeLine(line, text);
    }
    return text;
}

bool TextPanes::RowAt(POINT client, size_t& row, int& side) const
{
    RECT area;
    GetClientRect(Handle, &area);
    Layout layout = LayoutOf(area.right);
    if (client.y < 0 || !rows_) return false;
    for (int s = 0; s < 2; ++s)
        if (client.x >= layout.PaneLeft[s] && client.x < layout.PaneLeft[s] + layout.PaneWidth) {
            side = s;
            row = top_ + static_cast<size_t>(client.y / rowHeight_);
            return row < rows_->Count();
        }
    return false;
}

void TextPanes::Click(POINT at, bool extend)
{
    SetFocus();
    RECT strip = StripRect();
    if (at.x >= strip.left && rows_ && rows_->Count() > 0 && strip.bottom > 0) {
        // The strip stands for the whole file: the place clicked comes to the middle.
        size_t row = static_cast<size_t>(static_cast<double>(std::max(0L, at.y)) / strip.bottom *
                                         static_cast<double>(rows_->Count()));
        row = std::min(row, rows_->Count() - 1);
        size_t page = VisibleRows();
        ScrollTo(row > page / 2 ? row - page / 2 : 0);
        Select(row, false);
        return;
    }
    size_t row;
    int side;
    if (!RowAt(at, row, side)) return;
    if (side != side_) extend = false;
    side_ = side;
    Select(row, extend);
}

bool TextPanes::Key(WPARAM key, bool alt)
{
    bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    long long page = static_cast<long long>(VisibleRows());
    if (alt) {
        if (key == VK_UP) return GoToPreviousDifference(), true;
        if (key == VK_DOWN) return GoToNextDifference(), true;
        return false;
    }
    switch (key) {
    case VK_F7:
        GoToPreviousDifference();
        return true;
    case VK_F8:
        GoToNextDifference();
        return true;
    case VK_UP:
        MoveBy(-1, shift);
        return true;
    case VK_DOWN:
        MoveBy(1, shift);
        return true;
    case VK_PRIOR:
        MoveBy(-page, shift);
        return true;
    case VK_NEXT:
        MoveBy(page, shift);
        return true;
    case VK_HOME:
        if (control) MoveBy(-static_cast<long long>(current_), shift);
        else SendMessageA(Handle, WM_HSCROLL, SB_LEFT, 0);
        return true;
    case VK_END:
        if (control && rows_) MoveBy(static_cast<long long>(rows_->Count()), shift);
        else SendMessageA(Handle, WM_HSCROLL, SB_RIGHT, 0);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        SendMessageA(Handle, WM_HSCROLL, key == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT, 0);
        return true;
    case VK_TAB:
        if (!control) return false;
        side_ = 1 - side_;
        InvalidateRect(Handle, nullptr, FALSE);
        return true;
    }
    return false;
}

LRESULT TextPanes::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle, &ps);
        RECT client;
        GetClientRect(Handle, &client);
        Paint(dc, client);
        EndPaint(Handle, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        UpdateScrollBars();
        InvalidateRect(Handle, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Handle, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        if (Key(wParam, false)) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (Key(wParam, true)) return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
        SetCapture(Handle);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == Handle && (wParam & MK_LBUTTON)) {
            size_t row;
            int side;
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (RowAt(at, row, side) && side == side_) Select(row, true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == Handle) ReleaseCapture();
        return 0;
    case WM_MOUSEWHEEL: {
        int lines = -GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA;
        long long target = static_cast<long long>(top_) + lines;
        ScrollTo(static_cast<size_t>(std::max(0LL, target)));
        return 0;
    }
    case WM_VSCROLL: {
        SCROLLINFO info = ScrollInfoOf(Handle, SB_VERT);
        long long page = static_cast<long long>(VisibleRows()), target = static_cast<long long>(top_);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: --target; break;
        case SB_LINEDOWN: ++target; break;
        case SB_PAGEUP: target -= page; break;
        case SB_PAGEDOWN: target += page; break;
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = rows_ ? static_cast<long long>(rows_->Count()) : 0; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = info.nTrackPos; break;
        }
        ScrollTo(static_cast<size_t>(std::max(0LL, target)));
        return 0;
    }
    case WM_HSCROLL: {
        SCROLLINFO info = ScrollInfoOf(Handle, SB_HORZ);
        int target = left_;
        switch (LOWORD(wParam)) {
        case SB_LINELEFT: target -= charWidth_ * 4; break;
        case SB_LINERIGHT: target += charWidth_ * 4; break;
        case SB_PAGELEFT: target -= static_cast<int>(info.nPage); break;
        case SB_PAGERIGHT: target += static_cast<int>(info.nPage); break;
        case SB_LEFT: target = 0; break;
        case SB_RIGHT: target = info.nMax; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = info.nTrackPos; break;
        }
        target = std::max(0, std::min(target, info.nMax - static_cast<int>(info.nPage) + 1));
        if (target != left_) {
            left_ = target;
            UpdateScrollBars();
            InvalidateRect(Handle, nullptr, FALSE);
        }
        return 0;
    }
    case WM_DESTROY:
        if (font_) DeleteObject(font_);
        font_ = nullptr;
        break;
    }
    return DefWindowProcA(Handle, message, wParam, lParam);
}

LRESULT CALLBACK TextPanes::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] {
        auto* panes = dynamic_cast<TextPanes*>(ControlOf(hwnd));
        return panes ? panes->Message(message, wParam, lParam)
                     : DefWindowProcA(hwnd, message, wParam, lParam);
    });
}
