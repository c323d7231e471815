#pragma once
#include <windows.h>

// Keys a form takes before dialog navigation does: Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn
// and Ctrl+PgUp switch the pages of its tab control; a mnemonic that two shown controls
// share moves the focus to the next of them (the first press to the first) instead of
// pressing one. True when the key was used.
bool FormKeys(HWND form, const MSG& msg);

// FormKeys, then the system's dialog navigation; wide for a message taken as UTF-16.
bool FormDialogMessage(HWND form, MSG& msg, bool wide = false);
