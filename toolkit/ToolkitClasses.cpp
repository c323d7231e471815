#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/InfoBoard.h"
#include "toolkit/Panel.h"

void RegisterToolkitClasses()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = Application.Instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

    wc.lpfnWndProc = Form::WindowProc;
    wc.lpszClassName = FormClassName;
    wc.hIcon = LoadIconA(Application.Instance, "MAINICON");
    RegisterClassExA(&wc);

    wc.lpfnWndProc = Panel::WindowProc;
    wc.lpszClassName = PanelClassName;
    wc.hIcon = nullptr;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    RegisterClassExA(&wc);

    wc.lpfnWndProc = InfoBoard::WindowProc;
    wc.lpszClassName = BoardClassName;
    wc.style = 0;
    RegisterClassExA(&wc);
}
