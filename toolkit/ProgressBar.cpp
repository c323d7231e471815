#include "toolkit/ProgressBar.h"

#include <commctrl.h>

bool ProgressBar::Create(HWND parent, int left, int top, int width, int height, int minimum,
                         int maximum)
{
    if (!CreateChild(parent, PROGRESS_CLASSA, "", WS_VISIBLE, 0, left, top, width, height))
        return false;
    SendMessageA(Handle, PBM_SETRANGE32, minimum, maximum);
    return true;
}

void ProgressBar::SetPosition(int position)
{
    if (Handle) SendMessageA(Handle, PBM_SETPOS, position, 0);
}

int ProgressBar::Position() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, PBM_GETPOS, 0, 0)) : 0;
}
