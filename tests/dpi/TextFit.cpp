#include "tests/dpi/TextFit.h"

#include "tests/common/Accessibility.h"
#include "toolkit/Dpi.h"
#include "toolkit/InfoBoard.h"
#include "toolkit/ListView.h"

#include <commctrl.h>

namespace {
struct Need {
    std::string Text;
    int Width = 0, Height = 0;
};

Need Measure(HWND control, const std::string& text, bool prefix)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    // A text of several lines needs its widest line and all of its lines.
    UINT lines = text.find('\n') == std::string::npos ? DT_SINGLELINE : 0;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | lines | (prefix ? 0 : DT_NOPREFIX));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {text, r.right, r.bottom};
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Check(std::vector<std::string>& clipped, const std::string& what, const Need& need, int width,
           int height)
{
    if (need.Text.empty() || (need.Width <= width && need.Height <= height)) return;
    clipped.push_back(what + " '" + need.Text + "' needs " + std::to_string(need.Width) + "x" +
                      std::to_string(need.Height) + ", has " + std::to_string(width) + "x" +
                      std::to_string(height));
}

void CheckButton(std::vector<std::string>& clipped, HWND button, int dpi, const RECT& client)
{
    LONG style = GetWindowLongA(button, GWL_STYLE);
    LONG kind = style & BS_TYPEMASK;
    if (style & (BS_BITMAP | BS_ICON)) return;
    Need need = Measure(button, TextOf(button), true);
    // Room the platform takes for the frame, the check box or the group's line.
    int frame = MulDiv(6, dpi, 96);
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
        kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE)
        frame = MulDiv(13 + 6, dpi, 96);
    if (kind == BS_GROUPBOX) {
        need.Width += MulDiv(16, dpi, 96);
        Check(clipped, "group", need, client.right, client.bottom);
        return;
    }
    need.Width += frame;
    Check(clipped, "button", need, client.right, client.bottom);
}

void CheckHeader(std::vector<std::string>& clipped, HWND header, int dpi)
{
    int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        Need need = Measure(header, HeaderItemText(header, i), false);
        // The header keeps a margin of three edges each side.
        need.Width += MulDiv(12, dpi, 96);
        Check(clipped, "header", need, r.right - r.left, r.bottom - r.top);
    }
}

void CheckListCells(std::vector<std::string>& clipped, HWND list, int dpi)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            char text[256] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
            Need need = Measure(list, text, false);
            need.Width += MulDiv(column == 0 ? 4 : 12, dpi, 96);
            Check(clipped, "cell", need, width, need.Height);
        }
}

void CheckStatusBar(std::vector<std::string>& clipped, HWND bar, int dpi)
{
    int parts = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        char text[256] = {};
        SendMessageA(bar, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(text));
        RECT r{};
        SendMessageA(bar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
        Need need = Measure(bar, text, false);
        need.Width += MulDiv(6, dpi, 96);
        Check(clipped, "status panel", need, r.right - r.left, r.bottom - r.top);
    }
}

void CheckTabs(std::vector<std::string>& clipped, HWND tabs, int dpi)
{
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        RECT r{};
        SendMessageA(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        Need need = Measure(tabs, text, true);
        need.Width += MulDiv(6, dpi, 96);
        Check(clipped, "tab", need, r.right - r.left, r.bottom - r.top);
    }
}

// A control that draws texts of its own tells their places to assistive technology.
void CheckDrawnTexts(std::vector<std::string>& clipped, HWND control)
{
    for (const AccessibleItemSeen& item : AccessibleItems(control)) {
        Need need = Measure(control, item.Name, false);
        Check(clipped, "drawn text", need, item.Screen.right - item.Screen.left,
              item.Screen.bottom - item.Screen.top);
    }
}

BOOL CALLBACK CheckOne(HWND control, LPARAM data)
{
    auto& clipped = *reinterpret_cast<std::vector<std::string>*>(data);
    if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) return TRUE;
    int dpi = static_cast<int>(WindowDpi(control));
    RECT client{};
    GetClientRect(control, &client);
    std::string kind = ClassOf(control);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) CheckButton(clipped, control, dpi, client);
    if (lstrcmpiA(kind.c_str(), "Static") == 0) {
        LONG style = GetWindowLongA(control, GWL_STYLE);
        if ((style & SS_TYPEMASK) != SS_ICON && (style & SS_TYPEMASK) != SS_BITMAP)
            Check(clipped, "label", Measure(control, TextOf(control), !(style & SS_NOPREFIX)),
                  client.right, client.bottom);
    }
    if (kind == WC_HEADERA) CheckHeader(clipped, control, dpi);
    if (kind == BoardClassName) CheckDrawnTexts(clipped, control);
    if (kind == STATUSCLASSNAMEA) CheckStatusBar(clipped, control, dpi);
    if (kind == WC_TABCONTROLA) CheckTabs(clipped, control, dpi);
    if (kind == WC_LISTVIEWA && !(GetWindowLongA(control, GWL_STYLE) & LVS_OWNERDATA) &&
        (GetWindowLongA(control, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT)
        CheckListCells(clipped, control, dpi);
    return TRUE;
}
} // namespace

std::vector<std::string> ClippedTexts(HWND window)
{
    std::vector<std::string> clipped;
    EnumChildWindows(window, CheckOne, reinterpret_cast<LPARAM>(&clipped));
    return clipped;
}
