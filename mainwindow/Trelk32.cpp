#include "mainwindow/Main.h"
#include "toolkit/Application.h"

#include <ole2.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InitializeToolkit();
    // The shell views need OLE for the namespace and for dropped files.
    OleInitialize(nullptr);
    Application.Title = "Vexil32";
    Application.HelpFile = "Trelk32.hlp";

    int exitCode = 0;
    {
        TMainDlg mainDlg;
        if (mainDlg.Create()) {
            Application.MainWindow = mainDlg.Handle;
            mainDlg.ShowInStoredState();
            // Ctrl+A is the shortcut of the select-all menu item wherever the focus is.
            ACCEL selectAll{FVIRTKEY | FCONTROL, 'A', AllSlctMenuItem};
            HACCEL accelerators = CreateAcceleratorTableA(&selectAll, 1);
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (mainDlg.Handle && TranslateAcceleratorA(mainDlg.Handle, accelerators, &msg))
                    continue;
                if (mainDlg.Handle && IsDialogMessageA(mainDlg.Handle, &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
            DestroyAcceleratorTable(accelerators);
            Application.MainWindow = nullptr;
        }
    }
    OleUninitialize();
    return exitCode;
}
