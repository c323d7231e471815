#include "results/FitText.h"

#include <algorithm>

void FitLabelToText(Label& label, int maxWidth)
{
    if (!label.Exists()) return;
    LONG style = GetWindowLongA(label.Handle, GWL_STYLE);
    SetWindowLongA(label.Handle, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
    int width = label.TextWidth();
    if (width > label.Width()) label.SetWidth(std::min(width, label.Scaled(maxWidth)));
    InvalidateRect(label.Handle, nullptr, TRUE);
}
