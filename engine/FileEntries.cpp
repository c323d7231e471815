#include "engine/FileEntries.h"

std::vector<FilePairEntry> FileEntries;
int32_t EntryCount = 0;
int32_t MismatchCount = 0;
bool RunCancelled = false;
bool EntriesDropped = false;

void ResetEntries()
{
    EntryCount = 0;
    EntriesDropped = false;
    // A fresh array: reserve alone would keep the capacity of the previous run.
    std::vector<FilePairEntry>().swap(FileEntries);
    FileEntries.reserve(static_cast<size_t>(EntryCount + EntryGrowStep));
}

void AddEntry(const std::string& name, const std::string& folder)
{
    if (EntryCount > MaxEntryCount) {
        EntriesDropped = true;
        return;
    }
    ++EntryCount;
    if (EntryCount % EntryGrowStep == 0)
        FileEntries.reserve(static_cast<size_t>(EntryCount + EntryGrowStep));
    FileEntries.push_back(FilePairEntry{name, folder});
}

void ReleaseEntries()
{
    FileEntries.clear();
    FileEntries.shrink_to_fit();
}
