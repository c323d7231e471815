#include "toolkit/GroupBox.h"

bool GroupBox::Create(HWND parent, const std::string& caption, int left, int top, int width,
                      int height)
{
    return CreateChild(parent, "BUTTON", caption.c_str(), WS_VISIBLE | BS_GROUPBOX, 0, left, top,
                       width, height);
}
