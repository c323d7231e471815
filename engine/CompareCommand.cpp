#include "engine/CompDispView.h"
#include "engine/CompareRun.h"
#include "engine/WaveSound.h"
#include "engine/WholeFolder.h"
#include "settings/EnvSettings.h"
#include "toolkit/MessageBoxes.h"

// The window program's compare command: collection and the run with their progress
// windows, then the sound, the notices and the result window.
namespace {
void PlayEndSound()
{
    if (!EnvSettings.SoundFlag) return;
    PlayWaveSound(MismatchCount == 0 ? EnvSettings.SameSoundFileName
                                     : EnvSettings.DiscordSoundFileName);
}

// What was not compared is said before any verdict on the run, so that
// "no mismatches" never stands for files that were never looked at; so is what only the
// target holds while it is not listed.
void ShowUncomparedNotice()
{
    std::string text = UncomparedNoticeText();
    std::string unlisted = UnlistedTargetNoticeText(
        "表示するには、環境設定の「比較」タブで「対象のみのファイルも表示する」をオンにしてください。");
    if (!unlisted.empty()) text += (text.empty() ? "" : "\r\n") + unlisted;
    if (!text.empty()) ShowInformation(text);
}

void ShowEndOfRun(CompareCommandHost& host)
{
    // A full list dropped the rest of the files: say so before any verdict on the run.
    if (!RunCancelled && EntriesDropped)
        ShowInformation("ファイル数が多すぎるため、最初の" + std::to_string(EntryCount) +
                        "個のファイルだけを比較しました。");
    ShowUncomparedNotice();
    // A cancelled run says how far it came: what it did not reach was not compared, so
    // "no mismatches" would say more than it knows.
    if (RunCancelled) {
        if (MismatchCount == 0)
            ShowInformation(CancelledText());
        else if (AskInformationYesNo(CancelledText() + "\r\n不一致ファイルがあります。\r\n"
                                                        "結果を表示しますか？"))
            host.ShowResults();
        return;
    }
    // Pairs equal only under the text rule are shown, never taken for matches in silence.
    if (MismatchCount == 0 && EnvSettings.DispDiscord && TextEquivalenceCount() == 0)
        ShowInformation("不一致ファイルはありません。");
    else
        host.ShowResults();
}
} // namespace

void CompareCommand(CompareCommandHost& host, CompareScope scope)
{
    bool whole = scope == CompareScope::Whole;
    if (whole) {
        bool read = true;
        if (!CollectWholeFolder(host.SelectedRealPath(PaneSide::Src), read)) return;
        whole = read;
    } else {
        if (host.SrcSelectedCount() == 0) return;
        CollectFiles(host.SrcPane());
    }
    try {
        CompDispView view;
        SelectedFolder src(host.SelectedPath(PaneSide::Src), host.IsVirtualFolder(PaneSide::Src),
                           host.SelectedRealPath(PaneSide::Src));
        src.Whole = whole;
        RunComparison(src,
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
