#pragma once
#include <string>
#include <vector>
#include <windows.h>

// The name assistive technology reads for a control (child 0) or one of its items,
// asked through the platform's accessibility interface as a screen reader asks it; in
// the code page, "" when it has none.
std::string AccessibleName(HWND control, long child = 0);
// The same as read, in UTF-16.
std::wstring AccessibleNameWide(HWND control, long child = 0);
// The role and state of a control's item (ROLE_SYSTEM_..., STATE_SYSTEM_...); -1 when unknown.
long AccessibleRole(HWND control, long child);
long AccessibleState(HWND control, long child);
// The text of the hint shown for a control once the mouse rests on it, "" when none shows.
std::string HintShownFor(HWND control);
// The items of a control as assistive technology lists them (child ids 1, 2, ...): their
// names in the code page and where they are on the screen.
struct AccessibleItemSeen {
    std::string Name;
    RECT Screen{};
};
std::vector<AccessibleItemSeen> AccessibleItems(HWND control);
