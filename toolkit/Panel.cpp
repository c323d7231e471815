#include "toolkit/Panel.h"

#include "toolkit/CommandGuard.h"

bool Panel::Create(HWND parent, int left, int top, int width, int height, Bevel border)
{
    Border = border;
    if (!CreateChild(parent, PanelClassName, "", WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                     left, top, width, height))
        return false;
    InvalidateRect(Handle, nullptr, TRUE);
    return true;
}

namespace {
LRESULT PanelMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* panel = static_cast<Panel*>(ControlOf(hwnd));
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:
        if (ReflectOnce(message, wParam, lParam, result)) return result;
        // Menu commands and what the control left go on to the form.
        return PassToParent(hwnd, message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return SendMessageA(GetParent(hwnd), message, wParam, lParam);
    case WM_SIZE:
        if (panel && panel->OnResize) panel->OnResize();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (panel && panel->Border != Bevel::None) {
            RECT r;
            GetClientRect(hwnd, &r);
            UINT edge = panel->Border == Bevel::Raised    ? BDR_RAISEDINNER
                        : panel->Border == Bevel::Lowered ? BDR_SUNKENOUTER
                                                          : BDR_RAISEDINNER | BDR_SUNKENOUTER;
            DrawEdge(dc, &r, edge, BF_RECT);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFONT:
        SetPropA(hwnd, "Vexil.Font", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(hwnd, "Vexil.Font"));
    case WM_NCDESTROY:
        RemovePropA(hwnd, "Vexil.Font");
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

LRESULT CALLBACK Panel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return PanelMessage(hwnd, message, wParam, lParam); });
}
