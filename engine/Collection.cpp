#include "engine/Collection.h"

#include "engine/FileEntries.h"
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

// A folder whose listing failed is counted, so the run can say that nothing below it
// was compared. "Not there" is no such failure: an empty drive root lists nothing, and
// a missing item's record says so itself in the run.
void CountUnreadableFolder(DWORD error)
{
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) ++UnreadableFolderCount;
}

// A selected item whose name the code page cannot hold is reached by its real name;
// any other by its caption.
void CollectItem(const FilePath& base, std::string name, const std::wstring& realName,
                 CollectionProgress& progress)
{
    std::string form;
    if (!realName.empty() && !CodePageForm(realName, form)) {
        FilePath path = RecordPath(base, "", form, realName);
        if (IsFolderPath(path)) {
            AddEntry("", form + "\\", realName + L"\\");
            SearchFolder(base, form + "\\", realName + L"\\", progress);
        } else {
            AddEntry(form, "", realName);
        }
        return;
    }
    std::string drive = DriveOfCaption(name);
    if (!drive.empty()) name = drive;
    if (IsFolderPath(RecordPath(base, "", name, std::wstring()))) {
        AddEntry("", name + "\\");
        SearchFolder(base, name + "\\", std::wstring(), progress);
    } else {
        AddEntry(name, "");
    }
}
} // namespace

void SearchFolder(const FilePath& base, const std::string& rel, const std::wstring& realRel,
                  CollectionProgress& progress)
{
    // The wide search: the narrow one cuts names longer than 259 bytes (a name of 255
    // Japanese characters takes 510) and spells the names it cannot hold with "?".
    WIN32_FIND_DATAW found;
    std::wstring pattern = (base.Real.empty() ? WideOf(base.Text) : base.Real) +
                           (realRel.empty() ? WideOf(rel) : realRel) + L"*.*";
    HANDLE search = FindFirstFileW(LongPathForm(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        CountUnreadableFolder(GetLastError());
        return;
    }
    std::string name;
    do {
        const wchar_t* real = found.cFileName;
        if (!std::wcscmp(real, L".") || !std::wcscmp(real, L"..")) continue;
        // The record keeps the real path below a folder whose name the code page does not
        // hold, and of a name it does not hold ("?" marks, never a look-alike).
        std::wstring realPath;
        if (!CodePageForm(real, std::wcslen(real), name) || !realRel.empty())
            realPath = (realRel.empty() ? WideOf(rel) : realRel) + real;
        DWORD attributes = found.dwFileAttributes;
        bool enter =
            (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        std::wstring realChild = enter && !realPath.empty() ? realPath + L"\\" : std::wstring();
        if (realPath.empty())
            AddEntry(name, rel);
        else
            AddEntry(name, rel, std::move(realPath));
        progress.AtFixedPoint();
        if (progress.StopRequested()) {
            FindClose(search);
            return;
        }
        // A folder link is recorded but not entered: links may loop back up the tree.
        if (enter) SearchFolder(base, rel + name + "\\", realChild, progress);
    } while (FindNextFileW(search, &found));
    if (GetLastError() != ERROR_NO_MORE_FILES) CountUnreadableFolder(GetLastError());
    FindClose(search);
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
    int count = pane.ItemCount();
    for (int index = 0; index < count && !progress.StopRequested(); ++index) {
        if (pane.ItemSelected(index))
            CollectItem(base, pane.ItemCaption(index), pane.ItemRealName(index), progress);
        progress.ItemDone(PercentOf(index + 1, pane.ItemCount()), EntryCount);
        progress.AtFixedPoint();
    }
}
