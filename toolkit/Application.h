#pragma once
#include <windows.h>

#include <string>

// Program-wide facts every window needs: the title used by message boxes, the help
// file and the main window that long operations disable.
struct TApplication {
    std::string Title = "Vexil32";
    std::string HelpFile = "Trelk32.hlp";
    HWND MainWindow = nullptr;
    HINSTANCE Instance = nullptr;
};

extern TApplication Application;

// Registers the window classes of the toolkit and the common controls once.
void InitializeToolkit();

// Disables or enables the main window, if there is one (tests run without it).
void EnableMainWindow(bool enabled);
