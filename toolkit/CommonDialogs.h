#pragma once
#include <string>
#include <vector>
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

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

// A check box under the file type of a file dialog (Explorer style): Attach sets the
// request up to show it with Checked; Checked holds its state when the dialog has ended.
struct DialogCheckBox {
    std::string Caption;
    bool Checked = false;
    static constexpr WORD Id = 0x6A00;
    void Attach(OPENFILENAMEA& request);
    // The box whose Attach set up this request, or null.
    static DialogCheckBox* Of(const OPENFILENAMEA& request);

private:
    std::vector<DWORD> template_; // a dialog template: words, on a DWORD boundary
    static UINT_PTR CALLBACK Hook(HWND, UINT, WPARAM, LPARAM);
};
