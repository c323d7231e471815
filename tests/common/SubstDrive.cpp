#include "tests/common/SubstDrive.h"

#include <windows.h>

namespace {
// Wine's own export: the Linux path of a Windows path, allocated on the process heap.
std::string UnixPathOf(const std::string& path)
{
    using Converter = char*(CDECL*)(const wchar_t*);
    auto convert = reinterpret_cast<Converter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    std::wstring wide(path.begin(), path.end()); // the test paths are ASCII
    char* unix = convert(wide.c_str());
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// Runs a Linux command and waits until the drive root answers as wanted (five seconds
// at most): Wine does not wait for a Linux program.
void RunAndWait(const std::string& command, const std::string& root, bool present)
{
    std::string line = "Z:\\bin\\sh -c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int i = 0; i < 250; ++i) {
        if ((GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES) == present) return;
        Sleep(20);
    }
}
} // namespace

SubstDrive::SubstDrive(char letter, const std::string& folder)
{
    // Drive C: is "<prefix>/dosdevices/c:/", so the links sit next to it.
    std::string drives = UnixPathOf("C:\\");
    std::string target = UnixPathOf(folder);
    size_t at = drives.rfind("/c:");
    if (at == std::string::npos || target.empty()) return;
    std::string root = std::string(1, letter) + ":\\";
    link_ = drives.substr(0, at + 1) + static_cast<char>(letter | 0x20) + ":";
    RunAndWait("ln -sfn '" + target + "' '" + link_ + "'", root, true);
    if (GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES) Root = root;
}

SubstDrive::~SubstDrive()
{
    if (!link_.empty()) RunAndWait("rm -f '" + link_ + "'", Root, false);
}
