#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/FileEntries.h"

constexpr int CompareBlockSize = 32768;

// What one attribute lookup of an exact path tells (GetFileAttributesExA, no pattern).
struct FileFacts {
    bool Found = false;  // the path names something
    DWORD Attributes = INVALID_FILE_ATTRIBUTES;
    int64_t Size = 0;         // full 64-bit size
    FILETIME LastWrite{};     // UTC
    bool IsFolder() const { return Found && (Attributes & FILE_ATTRIBUTE_DIRECTORY); }
    bool IsFile() const { return Found && !(Attributes & FILE_ATTRIBUTE_DIRECTORY); }
};
FileFacts LookUpFile(const std::string& path);

// Last-write time in local time packed in the MS-DOS format; -1 when missing, a folder,
// or outside the years the format holds.
int32_t DosFileTime(const std::string& path);
// Existence of a file (not a folder) at the path.
bool FileExists(const std::string& path);
// Full size of the file.
int64_t FileSizeOf(const std::string& path);
// The file cannot be opened read-only with sharing for read and write.
bool IsFileInUse(const std::string& path);

// Where the contents check reports its percentage: the progress bar and its label.
struct ContentsProgress {
    virtual ~ContentsProgress() = default;
    virtual void SetProgressBar(int percent) = 0;
    virtual void SetProgDisp(const std::string& text) = 0;
};

DateVerdict CompareDate(const std::string& reference, const std::string& target);
SizeVerdict CompareSize(const std::string& reference, const std::string& target);
// Throws IoFailure when a read fails after both files were opened; both are closed.
ContentsVerdict CompareContents(const std::string& reference, const std::string& target,
                                ContentsProgress& progress);

// The same checks on facts already looked up, so a run looks each path up once.
DateVerdict CompareDate(const FileFacts& reference, const FileFacts& target);
SizeVerdict CompareSize(const FileFacts& reference, const FileFacts& target);
ContentsVerdict CompareContents(const std::string& reference, const FileFacts& referenceFacts,
                                const std::string& target, const FileFacts& targetFacts,
                                ContentsProgress& progress);
