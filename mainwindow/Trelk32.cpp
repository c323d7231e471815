#include <windows.h>

#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InitializeToolkit();
    MessageBoxA(nullptr, "Vexil32", Application.Title.c_str(), MB_OK);
    return 0;
}
