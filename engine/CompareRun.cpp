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

// A named special folder has no file-system path: its base is empty.
std::string BaseOf(const std::string& selectedPath)
{
    return IsSpecialFolderName(selectedPath) ? std::string() : JoinPath(selectedPath, "");
}

void CompareEntry(FilePairEntry& entry, const FileFacts& reference, const FilePath& refPath,
                  const FilePath& targetPath, ContentsProgress& progress)
{
    FileFacts target = LookUpFile(targetPath);
    // A target that cannot be looked up is not known to be missing.
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

void ShowEndOfRun(CompareCommandHost& host)
{
    if (RunCancelled) {
        if (MismatchCount == 0)
            ShowInformation("比較を中断しました。不一致ファイルはありません。");
        else if (AskInformationYesNo("比較を中断しました。不一致ファイルがあります。\r\n"
                                     "結果を表示しますか？"))
            host.ShowResults();
        return;
    }
    // A full list dropped the rest of the files: say so before any verdict on the run.
    if (EntriesDropped)
        ShowInformation("ファイル数が多すぎるため、最初の" + std::to_string(EntryCount) +
                        "個のファイルだけを比較しました。");
    if (MismatchCount == 0 && EnvSettings.DispDiscord)
        ShowInformation("不一致ファイルはありません。");
    else
        host.ShowResults();
}
} // namespace

void RunComparison(const std::string& srcSelectedPath, const std::string& desSelectedPath,
                   CompareProgressView& view)
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

    const std::string srcBase = BaseOf(srcSelectedPath);
    const std::string desBase = BaseOf(desSelectedPath);
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
        // One lookup answers both "is it a file" and the date and size checks;
        // folders and vanished references keep their codes 0.
        FileFacts reference = LookUpFile(refPath);
        if (reference.IsFile()) {
            CompareEntry(entry, reference, refPath, targetPath, view);
            if (IsMismatch(entry)) ++MismatchCount;
            view.SetNotSameFileText(CountText(MismatchCount, EntryCount));
        } else if (reference.Unreachable()) {
            MarkNotCompared(entry);
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
        RunComparison(host.SelectedPath(PaneSide::Src), host.SelectedPath(PaneSide::Des), view);
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
