#include "engine/Collection.h"

#include "engine/ExcludeMasks.h"
#include "engine/FileEntries.h"
#include "engine/FolderWalk.h"
#include "engine/Util.h"
#include "toolkit/CodePage.h"

#include <cwchar>
#include <utility>
#include <windows.h>

namespace {
// For the callers that only want the records.
struct NoProgress : CollectionProgress {
    void ItemDone(int, int32_t) override {}
    void AtFixedPoint() override {}
};

int PercentOf(int done, int count)
{
    if (count <= 0 || done >= count) return 100;
    return static_cast<int>(static_cast<double>(done) / count * 100);
}

// One search below a selected folder: the masks it applies and the folders it is in.
struct Search {
    FilePath Base;
    ExclusionRule Rule;
    WalkStack Walk;
    CollectionProgress& Progress;
};

// folderRecord is the record of the folder searched (null when the list was full): a
// folder that cannot be read is not compared, and its target is not listed as the
// target's own.
void SearchInside(Search& search, const std::string& rel, const std::wstring& realRel,
                  FilePairEntry* folderRecord)
{
    // The wide search: the narrow one cuts names longer than 259 bytes (a name of 255
    // Japanese characters takes 510) and spells the names it cannot hold with "?".
    const std::wstring relative = realRel.empty() ? WideOf(rel) : realRel;
    const std::wstring folder =
        (search.Base.Real.empty() ? WideOf(search.Base.Text) : search.Base.Real) + relative;
    search.Walk.Push(folder);
    std::string name;
    DWORD error = 0;
    auto visit = [&](const FoundEntry& found) {
        const wchar_t* real = found.Name;
        bool isFolder = found.IsFolder();
        if (search.Rule.Excludes(real, isFolder)) {
            ++ExcludedCount;
            return true;
        }
        // The record keeps the real path below a folder whose name the code page does
        // not hold, of a name it does not hold ("?" marks, never a look-alike), and of a
        // name only its exact form reaches ("t." beside "t").
        std::wstring realPath;
        if (!CodePageForm(real, std::wcslen(real), name) || !realRel.empty() ||
            NeedsExactName(real))
            realPath = relative + real;
        // No path reaches "a*b" or "a:b": it is listed as not compared, never opened.
        bool unreachable = IsUnreachableName(real);
        bool enter = isFolder && !unreachable;
        // A folder link is entered like any folder, unless it leads back up the walk.
        bool looped = enter && found.IsLink() && search.Walk.LeadsBack(folder + real);
        if (looped) enter = false;
        std::wstring realChild = enter && !realPath.empty() ? realPath + L"\\" : std::wstring();
        FilePairEntry* record = nullptr;
        if (AddEntry(isFolder ? name + "\\" : name, rel, std::move(realPath))) {
            FilePairEntry& entry = FileEntries.back();
            record = &entry;
            entry.IsFolder = isFolder;
            entry.HasFacts = true;
            entry.Size = found.Size;
            entry.LastWrite = found.LastWrite;
            if (unreachable || looped) MarkNotCompared(entry);
        }
        if (looped) ++LoopedLinkCount;
        search.Progress.AtFixedPoint();
        if (search.Progress.StopRequested()) return false;
        if (enter) SearchInside(search, rel + name + "\\", realChild, record);
        return true;
    };
    if (!ListFolder(folder, visit, error) && IsReadFailure(error)) {
        ++UnreadableFolderCount;
        if (folderRecord) MarkUnread(*folderRecord);
    }
    search.Walk.Pop();
}

// A selected item's attributes by its exact name: the search pattern is the name itself,
// so wildcards in it are matched against the names found. False when it is not there.
bool ExactEntryAttributes(const FilePath& base, const std::wstring& realName, DWORD& attributes)
{
    std::wstring folder = base.Real.empty() ? WideOf(base.Text) : base.Real;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(LongPathForm(folder + realName).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool seen = false;
    do
        seen = realName == found.cFileName;
    while (!seen && FindNextFileW(search, &found));
    FindClose(search);
    attributes = found.dwFileAttributes;
    return seen;
}

// Whether the masks leave out a selected item: they apply at every level, to what the
// user selected too (Ctrl+A selects "bin" and "obj" as well). A drive has no name to match.
bool LeftOut(const ExclusionRule& rule, const std::wstring& name, bool isFolder)
{
    if (!rule.Excludes(name, isFolder)) return false;
    ++ExcludedCount;
    return true;
}

// A selected item whose name the code page cannot hold, or which only its exact form
// reaches, is reached by its real name; any other by its caption.
void CollectItem(const FilePath& base, std::string name, const std::wstring& realName,
                 const ExclusionRule& rule, CollectionProgress& progress)
{
    std::string form;
    bool inFolder = !base.Text.empty() || !base.Real.empty();
    if (!realName.empty() &&
        (!CodePageForm(realName, form) ||
         (inFolder && (NeedsExactName(realName) || IsUnreachableName(realName))))) {
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        if (!ExactEntryAttributes(base, realName, attributes))
            attributes = AttributesOf(RecordPath(base, "", form, realName));
        bool unreachable = IsUnreachableName(realName);
        bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) && !unreachable;
        if (LeftOut(rule, realName, isFolder)) return;
        if (isFolder) {
            FilePairEntry* record = nullptr;
            if (AddEntry("", form + "\\", realName + L"\\")) {
                record = &FileEntries.back();
                record->IsFolder = true;
            }
            SearchFolder(base, form + "\\", realName + L"\\", progress, record);
        } else if (AddEntry(form, "", realName) && unreachable) {
            MarkNotCompared(FileEntries.back());
        }
        return;
    }
    std::string drive = DriveOfCaption(name);
    if (!drive.empty()) name = drive;
    bool isFolder = IsFolderPath(RecordPath(base, "", name, std::wstring()));
    if (drive.empty() && LeftOut(rule, realName.empty() ? WideOf(name) : realName, isFolder))
        return;
    if (isFolder) {
        FilePairEntry* record = nullptr;
        if (AddEntry("", name + "\\")) {
            record = &FileEntries.back();
            record->IsFolder = true;
        }
        SearchFolder(base, name + "\\", std::wstring(), progress, record);
    } else {
        AddEntry(name, "");
    }
}
} // namespace

void SearchFolder(const FilePath& base, const std::string& rel, const std::wstring& realRel,
                  CollectionProgress& progress, FilePairEntry* folderRecord)
{
    Search search{base, CurrentExclusionRule(), {}, progress};
    // A link to a folder above the selection would bring the selection back in.
    std::wstring above = (base.Real.empty() ? WideOf(base.Text) : base.Real);
    if (!above.empty()) search.Walk.PushWithAncestors(above);
    SearchInside(search, rel, realRel, folderRecord);
}

void SearchFolder(const std::string& base, const std::string& rel)
{
    FilePath folder;
    folder.Text = base;
    NoProgress progress;
    SearchFolder(folder, rel, std::wstring(), progress);
}

void CollectFiles(ReferencePane& pane, CollectionProgress& progress)
{
    ResetEntries();
    FilePath base;
    if (!pane.IsVirtualFolder())
        base = BasePath(pane.GetSelectedPath(), pane.GetSelectedRealPath());
    const ExclusionRule rule = CurrentExclusionRule();
    int count = pane.ItemCount();
    for (int index = 0; index < count && !progress.StopRequested(); ++index) {
        if (pane.ItemSelected(index))
            CollectItem(base, pane.ItemCaption(index), pane.ItemRealName(index), rule, progress);
        progress.ItemDone(PercentOf(index + 1, pane.ItemCount()), EntryCount);
        progress.AtFixedPoint();
    }
}
