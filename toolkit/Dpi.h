#pragma once
#include <windows.h>

// The one scale rule of every window: sizes in the code are given at 96 dpi and
// scaled by the DPI of the monitor the window is on; fonts come from point sizes.
constexpr UINT DesignDpi = 96;

// Asks for per-monitor awareness (v2, else v1, else system awareness) where the
// manifest has not already done so; without it the platform stretches a bitmap.
void DeclareDpiAwareness();
UINT SystemDpi();
// The DPI the platform gives a window (its monitor's where known, else the system's).
UINT PlatformWindowDpi(HWND window);
// The DPI a window is laid out at: its form's, else the platform's.
UINT WindowDpi(HWND window);

inline int ScaleTo(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), DesignDpi); }
inline int UnscaleFrom(int pixels, UINT dpi)
{
    return dpi ? MulDiv(pixels, DesignDpi, static_cast<int>(dpi)) : pixels;
}
inline int PointsToPixels(int points, UINT dpi) { return MulDiv(points, static_cast<int>(dpi), 72); }
