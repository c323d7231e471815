#include "engine/FileEntries.h"

#include "toolkit/CodePage.h"

#include <utility>

EntryList FileEntries;
int32_t EntryCount = 0;
int32_t MismatchCount = 0;
bool RunCancelled = false;
bool EntriesDropped = false;
int32_t UncomparedCount = 0;
int32_t UnreadableFolderCount = 0;
int32_t ExcludedCount = 0;
int32_t ExcludedTargetCount = 0;
int32_t LoopedLinkCount = 0;
int32_t CaseVariantCount = 0;
int32_t DeniedCount = 0;
int32_t LockedCount = 0;
int32_t UnlistedTargetFiles = 0;
int32_t UnlistedTargetFolders = 0;
int32_t ReachedCount = 0;

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
    ExcludedCount = 0;
    ExcludedTargetCount = 0;
    UnlistedTargetFiles = 0;
    UnlistedTargetFolders = 0;
    ReachedCount = 0;
    LoopedLinkCount = 0;
    CaseVariantCount = 0;
    DeniedCount = 0;
    LockedCount = 0;
    // A fresh list: the capacity of the previous run does not carry over.
    FileEntries.clear();
    FileEntries.reserve(static_cast<size_t>(EntryCount + EntryGrowStep));
}

bool AddEntry(const std::string& name, const std::string& folder)
{
    if (EntryCount > MaxEntryCount) {
        EntriesDropped = true;
        return false;
    }
    ++EntryCount;
    if (EntryCount % EntryGrowStep == 0)
        FileEntries.reserve(static_cast<size_t>(EntryCount + EntryGrowStep));
    FileEntries.push_back(FilePairEntry{name, folder});
    return true;
}

bool AddEntry(const std::string& name, const std::string& folder, std::wstring realPath)
{
    if (!AddEntry(name, folder)) return false;
    FileEntries.back().RealPath = std::move(realPath);
    return true;
}

void MarkNotCompared(FilePairEntry& entry)
{
    if (entry.NotCompared) return;
    MarkUnread(entry);
    ++UncomparedCount;
}

void MarkUnread(FilePairEntry& entry)
{
    entry.NotCompared = true;
    entry.DateResult = dvNotCompared;
    entry.SizeResult = svNotCompared;
    entry.ContentsResult = cvNotCompared;
}

bool AddTargetOnlyEntry(const std::string& name, const std::string& folder, std::wstring realPath,
                        bool isFolder)
{
    if (!AddEntry(name, folder, std::move(realPath))) return false;
    FilePairEntry& entry = FileEntries.back();
    entry.IsFolder = isFolder;
    entry.TargetOnly = true;
    entry.DateResult = dvNoReference;
    entry.SizeResult = svNoReference;
    entry.ContentsResult = cvNoReference;
    return true;
}

std::wstring RealNameOf(const FilePairEntry& entry)
{
    std::wstring path = !entry.RealPath.empty()
                            ? entry.RealPath
                            : WideOf(entry.Name.empty() ? entry.Folder : entry.Name);
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void ReleaseEntries()
{
    FileEntries.clear();
}

int32_t TextEquivalenceCount()
{
    int32_t count = 0;
    for (int32_t i = 0; i < EntryCount && static_cast<size_t>(i) < FileEntries.size(); ++i)
        count += IsTextEquivalence(FileEntries[static_cast<size_t>(i)].ContentsResult);
    return count;
}
