#include "tests/common/LinuxShell.h"

#include <windows.h>

#include "tests/common/TempFolder.h"
#include "toolkit/CodePage.h"

void WaitForPath(const std::string& path, bool present)
{
    for (int i = 0; i < 250; ++i) {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present) return;
        WIN32_FIND_DATAA found; // a name the narrow calls cannot reach still lists
        HANDLE search = FindFirstFileA(path.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        if ((search != INVALID_HANDLE_VALUE) == present) return;
        Sleep(20);
    }
}

bool RunLinuxShell(const std::string& folder, const std::string& command, const std::string& made)
{
    std::string line = "Z:\\bin\\sh -c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (made.empty()) return true;
    std::string path = folder + (folder.back() == '\\' ? "" : "\\") + made;
    WaitForPath(path, true);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::string MissingLinuxProgram(const std::string& name)
{
    TempFolder folder;
    // The answer is written last, so its arrival means the command has finished.
    std::string command = "if command -v " + name + " >/dev/null 2>&1; then echo yes >answer.tmp; "
                          "else echo no >answer.tmp; fi; mv answer.tmp answer";
    if (!RunLinuxShell(folder.Path, command, "answer"))
        return "the Linux shell (/bin/sh) could not be started to look for " + name;
    if (ReadWholeFile(folder / "answer").compare(0, 3, "yes") == 0) return "";
    return name + " is not installed: run scripts/setup.sh";
}

bool ResizeFromLinux(const std::string& path, int64_t size)
{
    std::wstring wide = WideOf(path);
    size_t slash = wide.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    std::string folder = CodePageText(wide.substr(0, slash + 1));
    std::string name = CodePageText(wide.substr(slash + 1));
    std::string marker = name + ".resized";
    bool done = RunLinuxShell(
        folder, "truncate -s " + std::to_string(size) + " '" + name + "' && touch '" + marker + "'",
        marker);
    DeleteFileA((folder + marker).c_str());
    return done;
}
