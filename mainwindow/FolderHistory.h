#pragma once
#include "toolkit/ComboBoxEx.h"

#include <string>

// Puts a path at the top of a folder history, drops its older copy, keeps at most
// ten entries and selects the new top entry without raising the change handler.
void AddFolderHistory(TComboBoxEx& box, const std::string& path);
