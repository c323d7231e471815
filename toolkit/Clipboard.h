#pragma once
#include <windows.h>

#include <string>

// Puts a text on the clipboard in both forms other programs paste: as wide text and as
// the code page's own bytes. The wide form may hold what the code page cannot (real
// names); left empty, it is the code-page text's. False when the clipboard was refused.
bool PutTextOnClipboard(HWND owner, const std::string& text, std::wstring wide = {});
