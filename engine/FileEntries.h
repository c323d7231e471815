#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum DateVerdict : uint8_t {
    dvSame = 0,
    dvNotCompared = 1,
    dvOSError = 2,  // one 2-second step apart
    dvNewer = 3,
    dvOlder = 4,
    dvNotFound = 5,
};

enum SizeVerdict : uint8_t {
    svSame = 0,
    svNotCompared = 1,
    svLarger = 2,
    svSmaller = 3,
    svNotFound = 4,
};

enum ContentsVerdict : uint8_t {
    cvSame = 0,
    cvNotCompared = 1,
    cvDiffer = 2,
    cvNotFound = 3,
    cvInUse = 4,
};

// One file or folder found on the reference side. Name and Folder are kept whole:
// a name cut short would no longer name its file.
struct FilePairEntry {
    std::string Name;    // empty for a folder the user selected
    std::string Folder;  // relative folder: empty or ending with "\"
    DateVerdict DateResult = dvSame;
    SizeVerdict SizeResult = svSame;
    ContentsVerdict ContentsResult = cvSame;
};

// Any code above 1 is a mismatch; a switched-off check never is.
inline bool IsMismatch(const FilePairEntry& e)
{
    return e.DateResult > 1 || e.SizeResult > 1 || e.ContentsResult > 1;
}

constexpr int EntryGrowStep = 1000;
constexpr int MaxEntryCount = 200000;  // the list holds at most MaxEntryCount + 1 records

// The records of one compare command and its counters.
extern std::vector<FilePairEntry> FileEntries;  // capacity follows the grow rule
extern int32_t EntryCount;
extern int32_t MismatchCount;
extern bool RunCancelled;
// Set when AddEntry refused a record because the list was full.
extern bool EntriesDropped;

// Empties the list and gives it its first capacity (start of collection).
void ResetEntries();
// Appends a record with all verdicts 0; ignored once the list is full.
void AddEntry(const std::string& name, const std::string& folder);
// Releases the whole list at the end of a compare command.
void ReleaseEntries();
