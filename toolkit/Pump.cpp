#include "toolkit/Pump.h"

#include "toolkit/DialogKeys.h"
#include "toolkit/Form.h"

#include <windows.h>

namespace {
ULONGLONG lastPump = 0;
bool pumpedOnce = false;
constexpr ULONGLONG PumpIntervalMs = 20;
}  // namespace

void ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // A form shown during a long operation takes its keys as a dialog does:
        // Tab, Escape, Enter and the mnemonics of its buttons.
        HWND active = GetActiveWindow();
        if (FormOf(active) && FormDialogMessage(active, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    lastPump = GetTickCount64();
    pumpedOnce = true;
}

void PumpAtFixedPoint()
{
    if (pumpedOnce && GetTickCount64() - lastPump < PumpIntervalMs) return;
    ProcessMessages();
}

void ResetPumpThrottle() { pumpedOnce = false; }
