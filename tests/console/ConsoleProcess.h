#pragma once
// Runs Vexil32c.exe, built beside the tests, as a real process.
#include <string>
#include <vector>

struct ConsoleRun {
    int Status = -1;
    std::string Out, Err; // the bytes of standard output and standard error
};

// The program's path: ..\console\Vexil32c.exe from this test program's folder.
std::wstring ConsoleProgramPath();
// Starts the program with the arguments (quoted where they hold a space) and waits for
// its end. Standard output goes to a pipe when toPipe, else to a file: outputPath when
// given (a device such as Z:\dev\full; Out stays empty then).
ConsoleRun RunConsole(const std::wstring& arguments, bool toPipe = false,
                      const std::wstring& outputPath = {});
// The lines of a text without their CR LF.
std::vector<std::string> Lines(const std::string& text);
// An argument in quotes.
std::wstring Quoted(const std::wstring& text);
std::wstring Quoted(const std::string& codePageText);
