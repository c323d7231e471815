#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// A fresh folder under the Windows temporary folder, removed with its contents at the end.
struct TempFolder {
    std::string Path;  // ends with "\"

    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of a relative name inside the folder.
    std::string operator/(const std::string& relative) const { return Path + relative; }
    // Writes a file (creating its folders) and returns its full path.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string MakeFolder(const std::string& relative) const;
    // The same for a name the code page may not hold, or a path past MAX_PATH; returns
    // the full path in its long form ("\\?\" first).
    std::wstring WriteFile(const std::wstring& relative, const std::string& bytes) const;
};

std::string ReadWholeFile(const std::string& path);
// A file of the given size without writing its bytes (zeros); false when the disk refuses.
bool MakeSparseFile(const std::string& path, int64_t size);
// Writes bytes at an offset of an existing file.
bool PatchFile(const std::string& path, int64_t offset, const std::string& bytes);
// Sets the last-write time from a local time.
bool SetLocalWriteTime(const std::string& path, int year, int month, int day, int hour, int minute,
                       int second);
void RemoveTree(const std::string& path);
