#include "toolkit/Dpi.h"

#include "toolkit/Form.h"

namespace {
template <typename F> F User32(const char* name)
{
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}
} // namespace

void DeclareDpiAwareness()
{
    using ContextFunction = BOOL(WINAPI*)(HANDLE);
    if (auto setContext = User32<ContextFunction>("SetProcessDpiAwarenessContext")) {
        // Per-monitor v2 (-4), else per-monitor (-3); a manifest's choice stands.
        if (setContext(reinterpret_cast<HANDLE>(-4)) || setContext(reinterpret_cast<HANDLE>(-3)))
            return;
        if (GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    if (auto setAware = User32<BOOL(WINAPI*)()>("SetProcessDPIAware")) setAware();
}

UINT SystemDpi()
{
    if (auto forSystem = User32<UINT(WINAPI*)()>("GetDpiForSystem")) {
        UINT dpi = forSystem();
        if (dpi) return dpi;
    }
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : DesignDpi;
}

UINT PlatformWindowDpi(HWND window)
{
    static auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (forWindow && window) {
        UINT dpi = forWindow(window);
        if (dpi) return dpi;
    }
    return SystemDpi();
}

UINT WindowDpi(HWND window)
{
    if (!window) return SystemDpi();
    if (Form* form = FormOf(GetAncestor(window, GA_ROOT)))
        if (form->Dpi) return form->Dpi;
    return PlatformWindowDpi(window);
}
