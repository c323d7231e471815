#include "tests/console/ConsoleProcess.h"

#include "tests/common/TempFolder.h"
#include "toolkit/CodePage.h"

#include <thread>
#include <windows.h>

std::wstring ConsoleProgramPath()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L'\\'));
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"console\\Vexil32c.exe";
}

std::wstring Quoted(const std::wstring& text)
{
    // A "\" before the closing quote would escape it: doubled, it stays one "\".
    return L"\"" + text + (!text.empty() && text.back() == L'\\' ? L"\\\"" : L"\"");
}

std::wstring Quoted(const std::string& codePageText)
{
    return Quoted(WideOf(codePageText));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

namespace {
std::string ReadAll(HANDLE from)
{
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}
} // namespace

ConsoleRun RunConsole(const std::wstring& arguments, bool toPipe, const std::wstring& outputPath)
{
    TempFolder streams;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE err = CreateFileW(WideOf(streams / "err").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                             &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE out = INVALID_HANDLE_VALUE, pipeRead = INVALID_HANDLE_VALUE;
    if (toPipe) {
        CreatePipe(&pipeRead, &out, &inherit, 0);
        SetHandleInformation(pipeRead, HANDLE_FLAG_INHERIT, 0);
    } else if (!outputPath.empty()) {
        out = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &inherit, OPEN_EXISTING, 0, nullptr);
    } else {
        out = CreateFileW(WideOf(streams / "out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                          CREATE_ALWAYS, 0, nullptr);
    }
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out;
    start.hStdError = err;
    std::wstring line = Quoted(ConsoleProgramPath()) + L" " + arguments;
    PROCESS_INFORMATION process{};
    ConsoleRun run;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &start, &process)) {
        CloseHandle(out);
        CloseHandle(err);
        return run;
    }
    CloseHandle(out);
    CloseHandle(err);
    if (toPipe) {
        run.Out = ReadAll(pipeRead);
        CloseHandle(pipeRead);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    run.Status = static_cast<int>(status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (!toPipe && outputPath.empty()) run.Out = ReadWholeFile(streams / "out");
    run.Err = ReadWholeFile(streams / "err");
    return run;
}
