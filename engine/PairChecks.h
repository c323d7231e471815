#pragma once
#include "engine/FileEntries.h"
#include "engine/FilePath.h"

#include <cstdint>
#include <string>
#include <windows.h>

constexpr int CompareBlockSize = 32768;

// What one attribute lookup of an exact path tells (GetFileAttributesExA, no pattern).
struct FileFacts {
    bool Found = false;  // the path names something
    DWORD Attributes = INVALID_FILE_ATTRIBUTES;
    int64_t Size = 0;         // full 64-bit size
    FILETIME LastWrite{};     // UTC
    DWORD Error = 0;          // why the lookup failed
    bool IsFolder() const { return Found && (Attributes & FILE_ATTRIBUTE_DIRECTORY); }
    bool IsFile() const { return Found && !(Attributes & FILE_ATTRIBUTE_DIRECTORY); }
    // The lookup failed for another reason than "not there" (path too long, a name
    // the platform cannot take, access denied...): nothing is known of the file.
    bool Unreachable() const { return !Found && !IsNotFoundError(Error); }
    static bool IsNotFoundError(DWORD error)
    {
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
};
FileFacts LookUpFile(const FilePath& path);
// What a directory search told of an entry (last write in 100 ns units, UTC).
FileFacts FoundFacts(DWORD attributes, int64_t size, uint64_t lastWrite);

// Last-write time in local time packed in the MS-DOS format; -1 when missing, a folder,
// or outside the years the format holds.
int32_t DosFileTime(const FilePath& path);
// Existence of a file (not a folder) at the path.
bool FileExists(const FilePath& path);
// Full size of the file.
int64_t FileSizeOf(const FilePath& path);
// The file cannot be opened read-only with sharing for read and write.
bool IsFileInUse(const FilePath& path);

// Where the contents check reports its percentage: the progress bar and its label.
struct ContentsProgress {
    virtual ~ContentsProgress() = default;
    virtual void SetProgressBar(int percent) = 0;
    virtual void SetProgDisp(const std::string& text) = 0;
    // After each block read, where the window program lets messages through.
    virtual void AtFixedPoint() {}
};

DateVerdict CompareDate(const FilePath& reference, const FilePath& target);
SizeVerdict CompareSize(const FilePath& reference, const FilePath& target);
// Throws IoFailure when a read fails after both files were opened; both are closed.
ContentsVerdict CompareContents(const FilePath& reference, const FilePath& target,
                                ContentsProgress& progress);

// The same checks on facts already looked up, so a run looks each path up once.
DateVerdict CompareDate(const FileFacts& reference, const FileFacts& target);
SizeVerdict CompareSize(const FileFacts& reference, const FileFacts& target);
ContentsVerdict CompareContents(const FilePath& reference, const FileFacts& referenceFacts,
                                const FilePath& target, const FileFacts& targetFacts,
                                ContentsProgress& progress);
