#include "toolkit/CommandGuard.h"

#include "toolkit/Form.h"
#include "toolkit/MessageBoxes.h"

#include <vector>

namespace {
BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool IsDialogBox(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}
} // namespace

void RecoverFromOutOfMemory()
{
    std::vector<HWND> windows;
    windows.reserve(64);
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    // A window stays disabled only while a modal form or box over it is still open.
    std::vector<HWND> held;
    for (HWND window : windows) {
        Form* form = FormOf(window);
        bool modal = (form && form->IsModal()) || (IsDialogBox(window) && IsWindowVisible(window));
        if (modal) held.push_back(GetWindow(window, GW_OWNER));
    }
    for (HWND window : windows) {
        if (!FormOf(window) || IsWindowEnabled(window)) continue;
        bool isHeld = false;
        for (HWND owner : held)
            isHeld = isHeld || owner == window;
        if (!isHeld) EnableWindow(window, TRUE);
    }
    ReportFailure("メモリが不足しています");
}
