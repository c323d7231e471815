#pragma once
#include <windows.h>

#include <string>

// A hint shown while the mouse rests on a control, which is also the control's name for
// assistive technology: for buttons that show a picture instead of a text.
void SetHint(HWND control, const std::string& hint);
