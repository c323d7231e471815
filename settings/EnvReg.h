#pragma once
#include <string>

// Loading and saving of the settings record. They run once while the main window is
// created and once when it closes.

// Section "Environment": the fields of EnvSettings. The caller sets the menu check marks.
void LoadEnvironment();
void SaveEnvironment();

// What the start says when the stored masks could not all be read ("" when they could).
std::string StoredMasksNotice();
