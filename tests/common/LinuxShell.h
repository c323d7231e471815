#pragma once
#include <cstdint>
#include <string>

// Runs a Linux shell command in a folder (Wine starts Linux programs as they are), for
// what the Win32 layer cannot make: links, names such as "a*b". Waits until the path
// given as made (relative to the folder) exists, five seconds at most; false when the
// command could not start or the path never came.
bool RunLinuxShell(const std::string& folder, const std::string& command, const std::string& made);
// Sets a file's length from Linux, which no Windows program's mapped view of the file
// stops (Wine refuses a shorter length then, as Windows does); waits until it is done.
bool ResizeFromLinux(const std::string& path, int64_t size);
// Waits until a path exists (or has gone), five seconds at most.
void WaitForPath(const std::string& path, bool present);
// "" when the Linux program is on the PATH, else the sentence a test fails with
// ("patch is not installed: run scripts/setup.sh").
std::string MissingLinuxProgram(const std::string& name);
