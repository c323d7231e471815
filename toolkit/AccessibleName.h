#pragma once
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

// What assistive technology reads of one part a control draws itself (a toolbar button).
struct AccessibleItem {
    std::string Name;
    std::wstring RealName; // read instead of Name where set: a text the code page cannot hold
    RECT Screen{};  // where it is, in screen coordinates
    long Role = 0;  // ROLE_SYSTEM_...
    long State = 0; // STATE_SYSTEM_...
};

// Gives a control a name for assistive technology: the platform's own accessible object
// of the control answers every question, except that it is called by this name. The name
// is not shown, so it fits controls whose text is not their name (lists, trees, buttons
// with a picture).
void SetAccessibleName(HWND control, const std::string& name);
// The same for a control whose parts are items of their own (child ids 1, 2, ...).
void SetAccessibleItems(HWND control, std::function<std::vector<AccessibleItem>()> items);
