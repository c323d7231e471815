#pragma once
#include "results/ResultRows.h"
#include "toolkit/Window.h"

#include <commdlg.h>
#include <functional>
#include <string>
#include <vector>

// How the result window asks for the file name; tests answer the dialog themselves.
using SaveDialogFunction = BOOL (*)(OPENFILENAMEA*);
extern SaveDialogFunction SaveDialogRequest;

// Writes the header and one line per row (reference path, date, size and contents
// texts) to the file: emptied first when overwrite, else appended after its end, cut at
// a 1A end-of-file mark among its last 128 bytes. Throws IoFailure; the file is closed
// either way. whileOpen runs after the last line, before the file is closed.
void ExportRows(const std::string& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen = {});
// The bytes ExportRows writes after the existing end.
std::string ExportText(const std::string& srcFolder, const ResultRows& rows);
