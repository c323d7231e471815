#pragma once
#include <string>
#include <windows.h>

// One standard stream. A console gets wide text, so Japanese reads right in any console
// code page; a file or a pipe gets bytes: Shift-JIS as the CSV, or UTF-8 when asked.
class OutputStream {
public:
    OutputStream(DWORD which, bool utf8);
    ~OutputStream();
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;

    bool IsConsole() const { return console_; }
    // The error of the first write that failed (0 while none failed); what came after it
    // was not written.
    DWORD Failure() const { return failure_; }
    // A text whose code-page form and real form may differ (a name outside the code page).
    void Write(const std::string& codePage, const std::wstring& real);
    // A code-page text (every text of the program, the bytes of a byte list).
    void Write(const std::string& codePage);
    void Write(const std::wstring& text);
    // Bytes that go to a file or pipe as they are, whatever the encoding asked for
    // (the lines of a diff); a console shows them as given in shown.
    void WriteBytes(const std::string& bytes, const std::wstring& shown);
    // Writes out what is buffered (a file or pipe is written in large pieces).
    void Flush();

private:
    HANDLE handle_;
    bool console_;
    DWORD failure_ = 0;
    bool utf8_;
    std::string pending_;
};

// The one rule for the console's text lines: control characters in a name or a cell are
// written as escapes (\t, \n, \r, \x1A...), so that every record is one line with a fixed
// number of fields. The code-page form goes character by character, never byte by byte.
std::string EscapedControls(const std::string& codePage);
std::wstring EscapedControls(const std::wstring& text);
