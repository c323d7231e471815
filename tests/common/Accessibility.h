#pragma once
#include <string>
#include <windows.h>

// The name assistive technology reads for a control (child 0) or one of its items,
// asked through the platform's accessibility interface as a screen reader asks it; in
// the code page, "" when it has none.
std::string AccessibleName(HWND control, long child = 0);
// The role and state of a control's item (ROLE_SYSTEM_..., STATE_SYSTEM_...); -1 when unknown.
long AccessibleRole(HWND control, long child);
long AccessibleState(HWND control, long child);
// The text of the hint shown for a control once the mouse rests on it, "" when none shows.
std::string HintShownFor(HWND control);
