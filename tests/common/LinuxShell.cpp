#include "tests/common/LinuxShell.h"

#include <windows.h>

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
