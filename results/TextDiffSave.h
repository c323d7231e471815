#pragma once
#include <commdlg.h>
#include <string>
#include <windows.h>

// How the text view asks for the file to save; tests put their own answer here.
using SaveDialogWideFunction = BOOL (*)(OPENFILENAMEW*);
extern SaveDialogWideFunction TextDiffSaveDialogRequest;

// Writes the bytes to a new file beside path and puts it in place once whole; a file
// already there goes to the recycle bin. On a failure path is as it was and the new file
// is gone (IoFailure). Returns "" or, when the recycle bin refused the old file, where it
// was kept.
std::wstring WriteReplacing(const std::wstring& path, const std::string& bytes);
