#pragma once

// Loading and saving of the settings record. They run once while the main window is
// created and once when it closes.

// Section "Environment": the fields of EnvSettings. The caller sets the menu check marks.
void LoadEnvironment();
void SaveEnvironment();
