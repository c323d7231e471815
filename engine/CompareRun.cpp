#include "engine/CompareRun.h"

#include "engine/CompDispView.h"
#include "engine/Util.h"
#include "engine/WaveSound.h"
#include "settings/EnvSettings.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Pump.h"

namespace {
// Whatever way the loop ends, even by an exception out of a contents check, the
// progress window goes and the main window takes input again.
struct RunWindowGuard {
    CompareProgressView& View;
    explicit RunWindowGuard(CompareProgressView& view) : View(view) {}
    ~RunWindowGuard()
    {
        View.CloseView();
        EnableMainWindow(true);
    }
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

void PlayEndSound()
{
    if (!EnvSettings.SoundFlag) return;
    PlayWaveSound(MismatchCount == 0 ? EnvSettings.SameSoundFileName
                                     : EnvSettings.DiscordSoundFileName);
}

// What was not compared is said before any verdict on the run, so that
// "no mismatches" never stands for files that were never looked at.
void ShowUncomparedNotice()
{
    std::string text;
    if (UncomparedCount > 0)
        text = "比較できなかったファイルが" + std::to_string(UncomparedCount) + "個あります。";
    if (UnreadableFolderCount > 0) {
        if (!text.empty()) text += "\r\n";
        text +=
            "読み込めなかったフォルダが" + std::to_string(UnreadableFolderCount) + "個あります。";
    }
    if (!text.empty()) ShowInformation(text);
}

void ShowEndOfRun(CompareCommandHost& host)
{
    // A full list dropped the rest of the files: say so before any verdict on the run.
    if (!RunCancelled && EntriesDropped)
        ShowInformation("ファイル数が多すぎるため、最初の" + std::to_string(EntryCount) +
                        "個のファイルだけを比較しました。");
    ShowUncomparedNotice();
    if (RunCancelled) {
        if (MismatchCount == 0)
            ShowInformation("比較を中断しました。不一致ファイルはありません。");
        else if (AskInformationYesNo("比較を中断しました。不一致ファイルがあります。\r\n"
                                     "結果を表示しますか？"))
            host.ShowResults();
        return;
    }
    if (MismatchCount == 0 && EnvSettings.DispDiscord)
        ShowInformation("不一致ファイルはありません。");
    else
        host.ShowResults();
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
    EnableMainWindow(false);
    view.EnableProgTimer(EnvSettings.ProgTime);
    view.SetProgTimeText(EnvSettings.ProgTime ? "0:00:00" : "");
    view.ShowView();
    view.SetNotSameFileText(CountText(MismatchCount, EntryCount));
    ProcessMessages();

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
        PumpAtFixedPoint();
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
        PumpAtFixedPoint();
    }
}

void CompareCommand(CompareCommandHost& host)
{
    if (host.SrcSelectedCount() == 0) return;
    CollectFiles(host.SrcPane());
    try {
        CompDispView view;
        RunComparison({host.SelectedPath(PaneSide::Src), host.IsVirtualFolder(PaneSide::Src),
                       host.SelectedRealPath(PaneSide::Src)},
                      {host.SelectedPath(PaneSide::Des), host.IsVirtualFolder(PaneSide::Des),
                       host.SelectedRealPath(PaneSide::Des)},
                      view);
    } catch (const IoFailure& failure) {
        // A read failed inside a contents check: the run stops without a verdict on it.
        ReportIoError(failure.Code);
        ReleaseEntries();
        return;
    }
    PlayEndSound();
    ShowEndOfRun(host);
    ReleaseEntries();
    host.AddFolderHistory(PaneSide::Src, host.SelectedPath(PaneSide::Src));
    host.AddFolderHistory(PaneSide::Des, host.SelectedPath(PaneSide::Des));
}
