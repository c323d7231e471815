#pragma once
#include "toolkit/ComboBoxEx.h"

#include <string>

// Puts a path at the top of a folder history, drops its older copy, keeps at most
// ten entries and selects the new top entry without raising the change handler.
// Entries are compared as they are spelt, character for character.
void AddFolderHistory(TComboBoxEx& box, const std::wstring& path);

// A path as a person types or pastes it, made into one the folder tree can open: blanks
// and enclosing quotes dropped, %variables% expanded, "/" read as "\", a relative path
// taken from the folder shown (current, "" when it has no file-system path).
std::wstring TypedFolderPath(const std::wstring& typed, const std::wstring& current);
