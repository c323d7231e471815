#pragma once

struct TMainDlg;

// The main window's state: section "Main" and the bar flags of "Environment". Loaded
// once while the window is created, saved once when it closes; returns the stored
// window state 0..2.
int LoadMainState(TMainDlg& form);
void SaveMainState(TMainDlg& form);
