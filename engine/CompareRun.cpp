#include "engine/CompareRun.h"

#include "engine/Util.h"
#include "settings/EnvSettings.h"

namespace {
// Whatever way the loop ends, even by an exception out of a contents check, the
// progress view is closed.
struct RunWindowGuard {
    CompareProgressView& View;
    explicit RunWindowGuard(CompareProgressView& view) : View(view) {}
    ~RunWindowGuard() { View.CloseView(); }
    RunWindowGuard(const RunWindowGuard&) = delete;
    RunWindowGuard& operator=(const RunWindowGuard&) = delete;
};

std::string CountText(int32_t count, int32_t total)
{
    return std::to_string(count) + " / " + std::to_string(total);
}

void CompareEntry(FilePairEntry& entry, const FileFacts& reference, const FilePath& refPath,
                  const FilePath& targetPath, ContentsProgress& progress)
{
    FileFacts target = LookUpFile(targetPath);
    // A target that cannot be looked up may well be there: it is not "not found".
    if (target.Unreachable()) {
        MarkNotCompared(entry);
        return;
    }
    entry.DateResult = EnvSettings.CompDate ? CompareDate(reference, target) : dvNotCompared;
    entry.SizeResult = EnvSettings.CompSize ? CompareSize(reference, target) : svNotCompared;
    entry.ContentsResult = EnvSettings.CompContents
                               ? CompareContents(refPath, reference, targetPath, target, progress)
                               : cvNotCompared;
}

} // namespace

FilePath RunBaseOf(const SelectedFolder& folder)
{
    // My Computer's path is its parsing name "::{20d04fe0-...}", no folder to build on.
    if (folder.Virtual || IsSpecialFolderName(folder.Path)) return {};
    return BasePath(folder.Path, folder.Real);
}

void RunComparison(const SelectedFolder& src, const SelectedFolder& des, CompareProgressView& view)
{
    MismatchCount = 0;
    RunCancelled = false;
    view.Open();
    RunWindowGuard guard(view);
    view.EnableProgTimer(EnvSettings.ProgTime);
    view.SetProgTimeText(EnvSettings.ProgTime ? "0:00:00" : "");
    view.ShowView();
    view.SetNotSameFileText(CountText(MismatchCount, EntryCount));

    const FilePath srcBase = RunBaseOf(src);
    const FilePath desBase = RunBaseOf(des);
    for (int32_t i = 0; i < EntryCount; ++i) {
        view.SetCompFileNumProgBar(static_cast<int>(static_cast<double>(i) / EntryCount * 100));
        FilePairEntry& entry = FileEntries[static_cast<size_t>(i)];
        const FilePath refPath = RecordPath(srcBase, entry.Folder, entry.Name, entry.RealPath);
        const FilePath targetPath = RecordPath(desBase, entry.Folder, entry.Name, entry.RealPath);
        if (view.CancelRequested()) {
            RunCancelled = true;
            break;
        }
        view.SetSrcFileDisp(refPath.Text);
        view.SetDesFileDisp(targetPath.Text);
        view.SetFileNumText(CountText(i + 1, EntryCount));
        view.AtFixedPoint();
        // One lookup answers both "is it a file" and the date and size checks.
        // Folders keep their codes 0; a reference that has gone or cannot be looked
        // up is marked as not compared rather than left looking like a match.
        if (!entry.NotCompared) {
            FileFacts reference = LookUpFile(refPath);
            if (reference.IsFile()) {
                CompareEntry(entry, reference, refPath, targetPath, view);
                if (IsMismatch(entry)) ++MismatchCount;
                view.SetNotSameFileText(CountText(MismatchCount, EntryCount));
            } else if (!reference.IsFolder()) {
                MarkNotCompared(entry);
            }
        }
        view.AtFixedPoint();
    }
}
