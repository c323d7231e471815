#include "mainwindow/CodePage.h"
#include "mainwindow/Program.h"
#include "toolkit/Application.h"

#include <ole2.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything reads the registry or shows a Shift-JIS text.
    if (!JapaneseCodePageOrRefuse()) return 1;
    InitializeToolkit();
    // The shell views need OLE for the namespace and for dropped files.
    OleInitialize(nullptr);
    int exitCode = RunProgram();
    OleUninitialize();
    return exitCode;
}
