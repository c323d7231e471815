#pragma once
#include <string>
#include <windows.h>

// The platform's common dialogs as small records: fill the fields, Execute, read the
// fields back. Execute returns true only when the user confirmed.

// Filters are written "Text|pattern|Text|pattern", as the program's texts give them.
struct OpenFileDialog {
    std::string Filter;
    std::string FileName; // preset, and the chosen full path afterwards
    std::string DefaultExt;
    std::string Title;
    bool Execute(HWND owner);
};

struct SaveFileDialog {
    std::string Filter;
    std::string FileName;
    std::string DefaultExt;
    std::string Title;
    bool OverwritePrompt = true;
    bool Execute(HWND owner);
};

// Face, style and size only: no effects (underline, strike-out, colour), no size limits.
struct FontDialog {
    LOGFONTA Font{};
    bool Execute(HWND owner);
};

struct ColorDialog {
    COLORREF Color = 0; // an RGB colour
    COLORREF CustomColors[16] = {};
    bool Execute(HWND owner);
};

// "A|b|C|d" as the NUL-separated, double-NUL-ended list the dialogs take. Bars inside
// double-byte characters are left alone.
std::string FilterList(const std::string& filter);
