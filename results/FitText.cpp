#include "results/FitText.h"

#include <algorithm>

void FitLabelToText(Label& label, int maxWidth)
{
    if (!label.Exists()) return;
    LONG style = GetWindowLongA(label.Handle, GWL_STYLE);
    SetWindowLongA(label.Handle, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
    std::string text = label.Text();
    HDC dc = GetDC(label.Handle);
    HGDIOBJ old = SelectObject(dc, label.Font() ? label.Font() : GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label.Handle, dc);
    if (extent.cx > label.Width()) label.SetWidth(std::min<int>(extent.cx, maxWidth));
    InvalidateRect(label.Handle, nullptr, TRUE);
}
