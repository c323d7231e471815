#include "toolkit/Application.h"

#include <commctrl.h>

#include "toolkit/Window.h"

TApplication Application;

void InitializeToolkit()
{
    static bool done = false;
    if (done) return;
    done = true;
    // Before the first window: the layout follows the DPI, so the platform must not
    // stretch it.
    DeclareDpiAwareness();
    Application.Instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                              ICC_USEREX_CLASSES | ICC_LISTVIEW_CLASSES |
                                              ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterToolkitClasses();
}

void EnableMainWindow(bool enabled)
{
    if (Application.MainWindow) EnableWindow(Application.MainWindow, enabled ? TRUE : FALSE);
}
