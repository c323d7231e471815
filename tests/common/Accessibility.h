#pragma once
#include <windows.h>

#include <string>

// The name assistive technology reads for a control (child 0) or one of its items,
// asked through the platform's accessibility interface as a screen reader asks it; in
// the code page, "" when it has none.
std::string AccessibleName(HWND control, long child = 0);
// The text of the hint shown for a control once the mouse rests on it, "" when none shows.
std::string HintShownFor(HWND control);
