#pragma once
#include <windows.h>

#include <string>

// The program's notices and questions, always modal over the active window.
// Information box: information icon, caption "情報", one OK button.
void ShowInformation(const std::string& text);
// The same for a text that may hold names the code page cannot (shown as they are).
void ShowInformation(const std::wstring& text);
// Information box with Yes and No; true for Yes.
bool AskInformationYesNo(const std::string& text);
// Question without icon, with the application title; true for Yes.
bool AskYesNo(const std::string& text);
// Plain notice: no icon, the application title, one OK button.
void ShowNotice(const std::string& text);

// The application-wide error report of a failure that no verdict covers: error icon,
// application title, the failure's text with a full stop appended when its last
// character code is above that of the full stop.
void ReportIoError(DWORD errorCode);
// The same report for a failure given by its text.
void ReportFailure(const std::string& text);
// The text the report shows for a system error number.
std::string IoErrorText(DWORD errorCode);
// The text with the report's full-stop rule applied.
std::string WithFullStop(const std::string& text);

// An I/O failure that leaves an operation (a read in the contents check or the
// dump, a write of the export). Carries the system error number.
struct IoFailure {
    DWORD Code;
};
