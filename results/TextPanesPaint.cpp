// How the text panes paint: a row at a time into a bitmap, then the bitmap at once.
#include "results/TextPanes.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {
const COLORREF SameColor = RGB(255, 255, 255);
const COLORREF IgnoredColor = RGB(238, 238, 248);  // differs only in what the options ignore
const COLORREF ChangedColor = RGB(255, 246, 196);
const COLORREF CharacterColor = RGB(255, 200, 110); // the characters that differ
const COLORREF RemovedColor = RGB(255, 222, 222);
const COLORREF AddedColor = RGB(218, 248, 218);
const COLORREF NoLineColor = RGB(228, 228, 228);
const COLORREF GutterColor = RGB(244, 244, 244);
const COLORREF CurrentGutterColor = RGB(196, 218, 255);
const COLORREF NumberColor = RGB(128, 128, 128);
const COLORREF StripColor = RGB(250, 250, 250);
const COLORREF SelectedColor = RGB(200, 224, 255);
const COLORREF UnfocusedSelectedColor = RGB(222, 230, 242);

const wchar_t* EndingText(LineEnding ending)
{
    switch (ending) {
    case leLf:
        return L"[LF]";
    case leCrLf:
        return L"[CRLF]";
    case leCr:
        return L"[CR]";
    case leNone:
        break;
    }
    return L"[改行なし]";
}

void Fill(HDC dc, const RECT& r, COLORREF color)
{
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

COLORREF RowColor(const DiffRow& row, int side)
{
    if (row.Ignored) return IgnoredColor;
    switch (row.Kind) {
    case RowKind::Changed:
        return ChangedColor;
    case RowKind::Removed:
        return side == 0 ? RemovedColor : NoLineColor;
    case RowKind::Added:
        return side == 1 ? AddedColor : NoLineColor;
    case RowKind::Same:
        break;
    }
    return SameColor;
}

// Two lines the options call equal whose bytes still differ.
bool BytesDiffer(const TextFile& a, size_t left, const TextFile& b, size_t right)
{
    size_t aLength = a.Lines[left].Length + a.EndingLength(left);
    size_t bLength = b.Lines[right].Length + b.EndingLength(right);
    return aLength != bLength || std::memcmp(a.LineData(left), b.LineData(right), aLength) != 0;
}

COLORREF StripColorOf(const DiffHunk& hunk)
{
    if (hunk.ACount == 0) return RGB(60, 170, 60);
    if (hunk.BCount == 0) return RGB(220, 70, 70);
    return RGB(235, 160, 30);
}
} // namespace

const CharDifferences& TextPanes::HighlightsOf(size_t row, const DiffRow& shown)
{
    auto found = highlights_.find(row);
    if (found != highlights_.end()) return found->second;
    if (highlights_.size() > 1024) highlights_.clear();
    std::wstring left = files_[0]->LineText(shown.Left), right = files_[1]->LineText(shown.Right);
    return highlights_.emplace(row, DiffCharacters(left, right, options_)).first->second;
}

void TextPanes::PaintRow(HDC dc, const Layout& layout, size_t row, int y)
{
    DiffRow shown = rows_->At(row);
    const bool focused = GetFocus() == Handle;
    std::vector<int> ends;
    const size_t first = std::min(current_, anchor_), last = std::max(current_, anchor_);
    std::wstring text, visible;
    std::vector<uint32_t> at;
    for (int side = 0; side < 2; ++side) {
        const int x0 = layout.PaneLeft[side];
        RECT gutter{x0, y, x0 + layout.Gutter, y + rowHeight_};
        RECT area{x0 + layout.Gutter, y, x0 + layout.PaneWidth, y + rowHeight_};
        size_t line = side == 0 ? shown.Left : shown.Right;
        COLORREF color = RowColor(shown, side);
        if (shown.Kind == RowKind::Same && options_.Any() &&
            BytesDiffer(*files_[0], shown.Left, *files_[1], shown.Right))
            color = IgnoredColor;
        const bool selected = side == side_ && row >= first && row <= last;
        Fill(dc, gutter, row == current_ && side == side_ ? CurrentGutterColor : GutterColor);
        if (selected) color = focused ? SelectedColor : UnfocusedSelectedColor;
        Fill(dc, area, color);
        if (line == DiffRow::NoLine) continue;

        std::wstring number = std::to_wstring(line + 1);
        SetTextColor(dc, NumberColor);
        SetBkMode(dc, TRANSPARENT);
        RECT numberArea{gutter.left, gutter.top, gutter.right - Scaled(4), gutter.bottom};
        DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &numberArea,
                  DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

        text.clear();
        files_[side]->DecodeLine(line, text);
        ShownLine(text, visible, at);
        // Only what can come into view is measured and drawn (a line may be megabytes).
        size_t room = static_cast<size_t>(left_ + (area.right - area.left)) * 2 /
                          static_cast<size_t>(std::max(1, charWidth_)) + 16;
        int count = static_cast<int>(std::min(visible.size(), room));
        ends.assign(static_cast<size_t>(count) + 1, 0);
        SIZE extent{};
        if (count > 0)
            GetTextExtentExPointW(dc, visible.c_str(), count, 0, nullptr, ends.data() + 1, &extent);
        const int origin = area.left + Scaled(2) - left_;
        HRGN clip = CreateRectRgnIndirect(&area);
        SelectClipRgn(dc, clip);
        const LineEnding ending = files_[side]->Lines[line].Ending;
        bool showEnding = false;
        if (shown.Kind == RowKind::Changed && !shown.Ignored) {
            const CharDifferences& d = HighlightsOf(row, shown);
            // Lines whose characters agree differ in their endings: those are shown.
            showEnding = d.A.empty() && d.B.empty() &&
                         files_[0]->Lines[shown.Left].Ending != files_[1]->Lines[shown.Right].Ending;
            for (const CharSpan& span : side == 0 ? d.A : d.B) {
                auto x = [&](uint32_t unit) {
                    uint32_t i = std::min<uint32_t>(at[std::min<size_t>(unit, at.size() - 1)],
                                                    static_cast<uint32_t>(count));
                    return origin + ends[i];
                };
                RECT mark{x(span.Begin), y + 1, std::max(x(span.End), x(span.Begin) + Scaled(2)),
                          y + rowHeight_ - 1};
                Fill(dc, mark, CharacterColor);
            }
        }
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutW(dc, origin, y + Scaled(1), 0, nullptr, visible.c_str(), static_cast<UINT>(count),
                    nullptr);
        if (showEnding) {
            const wchar_t* mark = EndingText(ending);
            SetTextColor(dc, NumberColor);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, CharacterColor);
            ExtTextOutW(dc, origin + ends[static_cast<size_t>(count)] + Scaled(6), y + Scaled(1), 0,
                        nullptr, mark, static_cast<UINT>(wcslen(mark)), nullptr);
        }
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    }
}

void TextPanes::PaintStrip(HDC dc, const RECT& strip)
{
    Fill(dc, strip, StripColor);
    const double count = static_cast<double>(std::max<size_t>(1, rows_->Count()));
    const int height = strip.bottom - strip.top;
    auto y = [&](size_t row) { return static_cast<int>(strip.top + row / count * height); };
    // Thousands of changes: one fill per pixel row at most.
    int lastY = -1;
    COLORREF lastColor = 0;
    for (size_t k = 0; k < rows_->HunkCount(); ++k) {
        const DiffHunk& hunk = rows_->Hunk(k);
        if (hunk.Ignored) continue;
        int top = y(rows_->FirstRowOf(k));
        int bottom = std::max(top + Scaled(2), y(rows_->FirstRowOf(k) + rows_->RowsOf(k)));
        COLORREF color = StripColorOf(hunk);
        if (top == lastY && color == lastColor) continue;
        lastY = top;
        lastColor = color;
        RECT mark{strip.left + Scaled(2), top, strip.right - Scaled(2), bottom};
        Fill(dc, mark, color);
    }
    RECT view{strip.left, y(top_), strip.right,
              std::max<LONG>(y(top_) + Scaled(3), y(top_ + VisibleRows()))};
    FrameRect(dc, &view, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

void TextPanes::Paint(HDC target, const RECT& client)
{
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    Fill(dc, client, GetSysColor(COLOR_BTNFACE));
    Layout layout = LayoutOf(client.right);
    if (rows_ && files_[0] && files_[1]) {
        size_t end = std::min(rows_->Count(), top_ + VisibleRows() + 1);
        for (size_t row = top_; row < end; ++row)
            PaintRow(dc, layout, row, static_cast<int>(row - top_) * rowHeight_);
        for (int side = 0; side < 2; ++side) {
            int below = static_cast<int>(end - top_) * rowHeight_;
            RECT rest{layout.PaneLeft[side], below, layout.PaneLeft[side] + layout.PaneWidth,
                      client.bottom};
            Fill(dc, rest, SameColor);
        }
        PaintStrip(dc, StripRect());
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
