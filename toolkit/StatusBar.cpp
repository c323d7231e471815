#include "toolkit/StatusBar.h"

#include <commctrl.h>
#include <cstring>

bool TStatusBar::Create(HWND parent, std::vector<int> panelWidths, int height)
{
    // The parent's layout places it, so it must not align itself.
    if (!CreateChild(parent, STATUSCLASSNAMEA, "",
                     WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 0, 0, 0,
                     height))
        return false;
    panelWidths_ = panelWidths;
    SetParts();
    return true;
}

void TStatusBar::SetParts()
{
    std::vector<int> rightEdges;
    int right = 0;
    for (int w : panelWidths_)
        rightEdges.push_back(right += Scaled(w));
    SendMessageA(Handle, SB_SETPARTS, rightEdges.size(),
                 reinterpret_cast<LPARAM>(rightEdges.data()));
}

void TStatusBar::DpiChanged(UINT)
{
    SetParts();
}

void TStatusBar::SetPanelText(int panel, const std::string& text)
{
    SendMessageA(Handle, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::PanelText(int panel) const
{
    // The length comes in characters of the control's own text; a Shift-JIS copy may
    // take two bytes for each.
    LRESULT length = LOWORD(SendMessageA(Handle, SB_GETTEXTLENGTHA, panel, 0));
    std::string text(length * 2 + 1, '\0');
    SendMessageA(Handle, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    return text;
}
