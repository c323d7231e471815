#pragma once
#include "engine/ExcludeMasks.h"
#include "engine/FilePath.h"

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

// The folders a search is inside, outermost first, so that a folder link leading back
// into one of them is found before it is entered (it would never end otherwise).
class WalkStack {
public:
    void Push(const std::wstring& folderPath) { folders_.push_back({folderPath, false, {}}); }
    // The folder and every folder above it: a link to any of them leads back into it.
    void PushWithAncestors(const std::wstring& folderPath);
    void Pop() { folders_.pop_back(); }
    // Whether the folder at this path (a link) is one of the folders being walked.
    bool LeadsBack(const std::wstring& folderPath);

private:
    struct Identity {
        DWORD Volume = 0;
        uint64_t Index = 0;
        bool operator==(const Identity& o) const { return Volume == o.Volume && Index == o.Index; }
    };
    struct Folder {
        std::wstring Path;
        bool Known;
        Identity Id;
    };
    static bool IdentityOf(const std::wstring& path, Identity& id);
    std::vector<Folder> folders_;
};

// One entry of a directory search, as both sides' searches see it.
struct FoundEntry {
    const wchar_t* Name;
    DWORD Attributes;
    int64_t Size;
    uint64_t LastWrite; // UTC, 100 ns units
    bool IsFolder() const { return (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsLink() const { return (Attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
};

// Lists one folder (a wide path ending with "\") with one directory search, "." and ".."
// left out; visit returns false to stop early. Returns false with error set when the
// search could not start or broke off.
template <typename Visit> bool ListFolder(const std::wstring& folder, Visit&& visit, DWORD& error)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(LongPathForm(folder + L"*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    do {
        const wchar_t* name = found.cFileName;
        if (name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2]))) continue;
        FoundEntry entry{name, found.dwFileAttributes,
                         static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) |
                                              found.nFileSizeLow),
                         (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                             found.ftLastWriteTime.dwLowDateTime};
        if (!visit(entry)) {
            FindClose(search);
            return true;
        }
    } while (FindNextFileW(search, &found));
    error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES;
}

// A listing failure that says something could not be read: "not there" does not (an
// empty drive root lists nothing, and a missing item's record says so itself).
inline bool IsReadFailure(DWORD error)
{
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
           error != ERROR_NO_MORE_FILES;
}
