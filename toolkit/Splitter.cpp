#include "toolkit/Splitter.h"

#include "toolkit/Application.h"

namespace {
const char* const SplitterClassName = "VexilSplitter";

void RegisterSplitterClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = TSplitterEx::WindowProc;
    wc.hInstance = Application.Instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = SplitterClassName;
    RegisterClassA(&wc);
    registered = true;
}
} // namespace

bool TSplitterEx::Create(HWND parent, bool vertical, int left, int top, int width, int height)
{
    RegisterSplitterClass();
    Vertical = vertical;
    return CreateChild(parent, SplitterClassName, "", WS_VISIBLE, 0, left, top, width, height);
}

int TSplitterEx::MousePos(LPARAM lParam) const
{
    // Screen coordinates: the bar itself moves while it is dragged.
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(Handle, &p);
    return Vertical ? p.x : p.y;
}

LRESULT CALLBACK TSplitterEx::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* bar = static_cast<TSplitterEx*>(ControlOf(hwnd));
    if (!bar) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, bar->Vertical ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (!bar->SizeOfTarget) break;
        bar->dragging_ = true;
        bar->startMouse_ = bar->MousePos(lParam);
        bar->startSize_ = bar->SizeOfTarget();
        SetCapture(hwnd);
        return 0;
    case WM_MOUSEMOVE:
        if (bar->dragging_ && bar->ResizeTarget) {
            int size = bar->startSize_ + bar->MousePos(lParam) - bar->startMouse_;
            int least = bar->Scaled(bar->MinSize);
            bar->ResizeTarget(size < least ? least : size);
        }
        return 0;
    case WM_LBUTTONUP:
        if (!bar->dragging_) break;
        bar->dragging_ = false;
        ReleaseCapture();
        if (bar->OnMoved) bar->OnMoved();
        return 0;
    case WM_CAPTURECHANGED:
        bar->dragging_ = false;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
