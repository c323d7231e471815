#pragma once

// Loading and saving of the settings record and of the main window's state.
// They run once while the main window is created and once when it closes;
// nothing else touches the registry.

struct TMainDlg;

// Section "Main" and the bar flags of "Environment"; returns the stored window state 0..2.
int LoadMainState(TMainDlg& form);
void SaveMainState(TMainDlg& form);

// Section "Environment": the fields of EnvSettings. The caller sets the menu check marks.
void LoadEnvironment();
void SaveEnvironment();
