#include "mainwindow/Program.h"

#include "mainwindow/Main.h"
#include "settings/EnvReg.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBoxes.h"

#include <iterator>
#include <windows.h>

int RunProgram()
{
    Application.Title = "Vexil32";
    Application.HelpFile = "Trelk32.hlp";

    TMainDlg mainDlg;
    if (!mainDlg.Create()) return 1;
    Application.MainWindow = mainDlg.Handle;
    mainDlg.ShowInStoredState();
    // Stored masks that could not be read are said at once, before they are missed.
    std::string masksNotice = StoredMasksNotice();
    if (!masksNotice.empty()) ShowInformation(masksNotice);
    // Ctrl+A is the shortcut of the select-all menu item wherever the focus is; F6 moves
    // between the panes; Ctrl+Enter compares, F9 compares the folders whole.
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'A', AllSlctMenuItem},
                    {FVIRTKEY, VK_F6, OtherPaneKey},
                    {FVIRTKEY | FSHIFT, VK_F6, OtherPaneKey},
                    {FVIRTKEY | FCONTROL, VK_RETURN, CompMenuItem},
                    {FVIRTKEY, VK_F9, WholeCompMenuItem}};
    HACCEL accelerators = CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys)));
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Ctrl+A in a history box selects its text, as in any text box.
        bool textKey = msg.message == WM_KEYDOWN && msg.wParam == 'A' &&
                       (mainDlg.SrcFolderCBoxEx.HasFocus() || mainDlg.DesFolderCBoxEx.HasFocus());
        if (mainDlg.Handle && !textKey &&
            TranslateAcceleratorA(mainDlg.Handle, accelerators, &msg))
            continue;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            GetActiveWindow() == mainDlg.Handle &&
            mainDlg.TabToNextControl(GetKeyState(VK_SHIFT) < 0))
            continue;
        if (mainDlg.Handle && IsDialogMessageA(mainDlg.Handle, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyAcceleratorTable(accelerators);
    Application.MainWindow = nullptr;
    return static_cast<int>(msg.wParam);
}
