#pragma once
#include "engine/FileEntries.h"

#include <cstdint>

// What the result window counts of a run's records: files only, folders apart.
struct RunCounts {
    int32_t Files = 0;      // 対象ファイル数
    int32_t Mismatches = 0; // 不一致ファイル数: the next three together
    int32_t Changed = 0;    // both sides have the file; a check found a difference
    int32_t SrcOnly = 0;    // the target has no such file
    int32_t DesOnly = 0;    // only the target has it
    int32_t Uncompared = 0; // could not be compared, or a stop left it unread
};

// A folder's record, or the record of a folder the user selected (no name).
inline bool IsFolderRecord(const FilePairEntry& e)
{
    return e.IsFolder || e.Name.empty();
}

RunCounts CountRecords(const EntryList& entries, int32_t count);
