#pragma once
#include <initializer_list>
#include <windows.h>

// Check marks and radio groups of menu items, by command id.
void SetMenuChecked(HMENU menu, UINT id, bool checked);
bool MenuChecked(HMENU menu, UINT id);
// Checks one item of a radio group with a bullet and clears the others of the group.
void CheckMenuRadio(HMENU menu, std::initializer_list<UINT> group, UINT id);
