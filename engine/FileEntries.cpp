#include "engine/FileEntries.h"

#include <utility>

EntryList FileEntries;
int32_t EntryCount = 0;
int32_t MismatchCount = 0;
bool RunCancelled = false;
bool EntriesDropped = false;
int32_t UncomparedCount = 0;
int32_t UnreadableFolderCount = 0;

void EntryList::reserve(size_t count)
{
    while (capacity() < count)
        blocks_.push_back(std::make_unique<FilePairEntry[]>(EntryGrowStep));
}

void EntryList::clear()
{
    blocks_.clear();
    blocks_.shrink_to_fit();
    size_ = 0;
}

void ResetEntries()
{
    EntryCount = 0;
    EntriesDropped = false;
    UncomparedCount = 0;
    UnreadableFolderCount = 0;
    // A fresh list: the capacity of the previous run does not carry over.
    FileEntries.clear();
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

void AddEntry(const std::string& name, const std::string& folder, std::wstring realPath)
{
    int32_t count = EntryCount;
    AddEntry(name, folder);
    if (EntryCount != count)
        FileEntries[static_cast<size_t>(EntryCount - 1)].RealPath = std::move(realPath);
}

void MarkNotCompared(FilePairEntry& entry)
{
    if (entry.NotCompared) return;
    entry.NotCompared = true;
    entry.DateResult = dvNotCompared;
    entry.SizeResult = svNotCompared;
    entry.ContentsResult = cvNotCompared;
    ++UncomparedCount;
}

void ReleaseEntries()
{
    FileEntries.clear();
}
