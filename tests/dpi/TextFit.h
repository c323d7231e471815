#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Every text of a window and its controls that needs more room than its control gives
// it, each described as "class 'text' needs N, has M": buttons, check boxes, group
// boxes, labels, tab items, list headers, status-bar panels, and the cells of lists
// that hold their own rows.
std::vector<std::string> ClippedTexts(HWND window);
