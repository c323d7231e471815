#include "engine/CompareRun.h"

#include "engine/TargetFolders.h"
#include "engine/TextRuleCheck.h"
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

// What the run found of both files stays with the record: the result window shows it.
void KeepFacts(FilePairEntry& entry, const FileFacts& reference, const FileFacts& target)
{
    auto ticks = [](const FILETIME& time) {
        return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    entry.HasFacts = true;
    entry.Size = reference.Size;
    entry.LastWrite = ticks(reference.LastWrite);
    entry.HasTargetFacts = target.IsFile();
    entry.TargetSize = target.IsFile() ? target.Size : 0;
    entry.TargetLastWrite = target.IsFile() ? ticks(target.LastWrite) : 0;
}

void CompareEntry(FilePairEntry& entry, const FileFacts& reference, const FilePath& refPath,
                  const FileFacts& target, const FilePath& targetPath, ContentsProgress& progress)
{
    // A target that cannot be looked up may well be there: it is not "not found".
    if (target.Unreachable()) {
        MarkNotCompared(entry);
        return;
    }
    KeepFacts(entry, reference, target);
    entry.DateResult = EnvSettings.CompDate ? CompareDate(reference, target) : dvNotCompared;
    entry.SizeResult = EnvSettings.CompSize ? CompareSize(reference, target) : svNotCompared;
    entry.ContentsResult = EnvSettings.CompContents
                               ? CompareContents(refPath, reference, targetPath, target, progress)
                               : cvNotCompared;
    if (entry.ContentsResult == cvDiffer && EnvSettings.TextRule)
        entry.ContentsResult = TextRuleVerdict(refPath, targetPath, EnvSettings.TextIgnore,
                                               [&progress] { progress.AtFixedPoint(); });
    if (entry.ContentsResult == cvInUse) CountUnreadable(refPath, targetPath);
}

// A folder's row says whether the target has that folder: a file of its name is no folder.
// A check switched off reads "－" there as on a file's row.
void CompareFolder(FilePairEntry& entry, const FileFacts& target)
{
    if (target.IsFolder()) {
        if (!EnvSettings.CompDate) entry.DateResult = dvNotCompared;
        if (!EnvSettings.CompSize) entry.SizeResult = svNotCompared;
        if (!EnvSettings.CompContents) entry.ContentsResult = cvNotCompared;
        return;
    }
    if (target.Unreachable()) {
        MarkNotCompared(entry);
        return;
    }
    entry.DateResult = EnvSettings.CompDate ? dvNotFound : dvNotCompared;
    entry.SizeResult = EnvSettings.CompSize ? svNotFound : svNotCompared;
    entry.ContentsResult = EnvSettings.CompContents ? cvNotFound : cvNotCompared;
}

// The reference as its search found it. A selected item is looked up, and so is every
// file when its contents are read: a file the search listed may lie past what a path
// reaches, and is then not compared rather than taken for one in use.
FileFacts ReferenceFacts(const FilePairEntry& entry, const FilePath& refPath)
{
    if (!entry.HasFacts || (!entry.IsFolder && EnvSettings.CompContents))
        return LookUpFile(refPath);
    return FoundFacts(entry.IsFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, entry.Size,
                      entry.LastWrite);
}

// A selected folder is looked up without its trailing "\", so that a file of its name
// in the target reads as missing (a drive root keeps it).
FilePath SelectedFolderPath(FilePath path)
{
    if (path.Text.size() > 3 && path.Text.back() == '\\') path.Text.pop_back();
    if (path.Real.size() > 3 && path.Real.back() == L'\\') path.Real.pop_back();
    return path;
}

void AddLine(std::string& text, const std::string& line)
{
    if (!text.empty()) text += "\r\n";
    text += line;
}

// A cancel leaves the rest of the records unread: they read "－", never the 一致 of their
// initial codes. They are not counted as failures, as nothing went wrong with them.
void MarkNotReached(int32_t first)
{
    for (int32_t i = first; i < EntryCount; ++i) {
        FilePairEntry& entry = FileEntries[static_cast<size_t>(i)];
        if (entry.TargetOnly || entry.NotCompared) continue;
        entry.NotCompared = true; // not counted in UncomparedCount
        entry.DateResult = dvNotCompared;
        entry.SizeResult = svNotCompared;
        entry.ContentsResult = cvNotCompared;
    }
}
} // namespace

void CountUnreadable(const FilePath& reference, const FilePath& target)
{
    DWORD error = 0;
    for (const FilePath* path : {&reference, &target}) {
        HANDLE file = OpenForReading(*path);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            break;
        }
        CloseHandle(file);
    }
    if (error == ERROR_ACCESS_DENIED) ++DeniedCount;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) ++LockedCount;
}

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
    TargetFolders targets(desBase, EnvSettings.TargetOnly, CurrentExclusionRule(),
                          [&view] { view.AtFixedPoint(); });
    // The target folder's one listing answers the selected items too (a name that
    // differs only in case is told apart there); a base without a folder has none.
    if (src.Whole || !desBase.Text.empty() || !desBase.Real.empty()) targets.OpenBase(src.Whole);
    bool left = false; // every folder left, so the target-only records are all in
    for (int32_t i = 0;; ++i) {
        if (i == EntryCount && !left) {
            targets.Finish();
            left = true;
        }
        if (i >= EntryCount) break;
        view.SetCompFileNumProgBar(static_cast<int>(static_cast<double>(i) / EntryCount * 100));
        FilePairEntry& entry = FileEntries[static_cast<size_t>(i)];
        const FilePath refPath = RecordPath(srcBase, entry.Folder, entry.Name, entry.RealPath);
        FilePath targetPath = RecordPath(desBase, entry.Folder, entry.Name, entry.RealPath);
        if (view.CancelRequested()) {
            RunCancelled = true;
            MarkNotReached(i);
            break;
        }
        ReachedCount = i + 1;
        // What only the target holds has no reference path to show.
        view.SetSrcFilePath(entry.TargetOnly ? FilePath() : refPath);
        view.SetDesFilePath(targetPath);
        view.SetFileNumText(CountText(i + 1, EntryCount));
        view.AtFixedPoint();
        if (entry.TargetOnly) {
            ++MismatchCount;
            view.SetNotSameFileText(CountText(MismatchCount, EntryCount));
            view.AtFixedPoint();
            continue;
        }
        // The target comes from its folder's one listing; a record the run cannot compare
        // still pairs its target, so that it never shows as only in the target.
        targets.Reach(entry);
        if (entry.Name.empty()) targetPath = SelectedFolderPath(targetPath);
        FileFacts target = targets.Find(entry, targetPath);
        // Folders say whether the target has them; a reference that has gone or cannot
        // be looked up is marked as not compared rather than left looking like a match.
        if (!entry.NotCompared) {
            FileFacts reference = ReferenceFacts(entry, refPath);
            if (reference.IsFile()) {
                CompareEntry(entry, reference, refPath, target, targetPath, view);
            } else if (reference.IsFolder()) {
                CompareFolder(entry, target);
                targets.Open(entry, target, targetPath);
            } else {
                MarkNotCompared(entry);
            }
            if (IsMismatch(entry)) ++MismatchCount;
            view.SetNotSameFileText(CountText(MismatchCount, EntryCount));
        }
        view.AtFixedPoint();
    }
}

std::string UncomparedNoticeText()
{
    std::string text;
    if (UncomparedCount > 0)
        text = "比較できなかったファイルが" + std::to_string(UncomparedCount) + "個あります。";
    // Which of several names that differ only in case is the pair cannot be told.
    if (CaseVariantCount > 0)
        AddLine(text, "対象に大文字と小文字だけが違う名前が複数あり、比較しなかったファイル・フォルダが" +
                          std::to_string(CaseVariantCount) + "個あります。");
    if (UnreadableFolderCount > 0)
        AddLine(text, "読み込めなかったフォルダが" + std::to_string(UnreadableFolderCount) +
                          "個あります。");
    // Links that lead back into their own tree were not entered (they never end).
    if (LoopedLinkCount > 0)
        AddLine(text, "元のフォルダに戻るフォルダのリンクが" + std::to_string(LoopedLinkCount) +
                          "個あり、その中は比較していません。");
    // What the masks left out is said, side by side, so that an exclusion is never silent.
    if (ExcludedCount > 0 || ExcludedTargetCount > 0)
        AddLine(text, "比較対象外のファイル・フォルダを、基準で" + std::to_string(ExcludedCount) +
                          "個、対象で" + std::to_string(ExcludedTargetCount) + "個除きました。");
    return text;
}

std::string UnlistedTargetNoticeText(const std::string& howToShow)
{
    if (UnlistedTargetFiles == 0 && UnlistedTargetFolders == 0) return {};
    std::string text = "対象のみにある";
    if (UnlistedTargetFiles > 0) text += "ファイルが" + std::to_string(UnlistedTargetFiles) + "個";
    if (UnlistedTargetFiles > 0 && UnlistedTargetFolders > 0) text += "、";
    if (UnlistedTargetFolders > 0)
        text += "フォルダが" + std::to_string(UnlistedTargetFolders) + "個";
    return text + "あります。" + howToShow;
}

std::string CancelledText()
{
    return "比較を中断しました。" + std::to_string(ReachedCount) + " / " +
           std::to_string(EntryCount) + " 個のファイルを比較しました。";
}
