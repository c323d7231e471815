// The console's comparison: the engine's collection and run over a folder listing, with
// progress on standard error, then the result rows as the result window lists them.
#include "console/ConsoleRun.h"

#include "engine/CompareRun.h"
#include "engine/FolderWalk.h"
#include "engine/TextRuleCheck.h"
#include "engine/Util.h"
#include "engine/WholeFolder.h"
#include "results/ResultExport.h"
#include "settings/EnvSettings.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <atomic>

namespace {
std::atomic<bool> stopKeyPressed{false};

BOOL WINAPI OnStopKey(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    stopKeyPressed = true;
    return TRUE;
}

// Progress on standard error, only to a console and at most four times a second.
struct ConsoleProgress : CollectionProgress, QuietProgressView {
    OutputStream& Err;
    unsigned long long LastShown = 0;
    bool Shown = false;

    explicit ConsoleProgress(OutputStream& err) : Err(err) {}
    void Show(const std::string& text)
    {
        if (!Err.IsConsole()) return;
        unsigned long long now = GetTickCount64();
        if (Shown && now - LastShown < 250) return;
        LastShown = now;
        Shown = true;
        Err.Write("\r" + text + "    ");
    }
    void Clear()
    {
        if (Shown) Err.Write("\r" + std::string(60, ' ') + "\r");
        Shown = false;
    }

    void ItemDone(int, int32_t records) override { Show("検索中: " + std::to_string(records)); }
    void AtFixedPoint() override {}
    bool StopRequested() override { return StopKeyPressed(); }

    void SetFileNumText(const std::string& text) override
    {
        // Called for every record: no text is made for a file or a pipe.
        if (!Err.IsConsole()) return;
        Show("比較済み: " + text + "  不一致: " + std::to_string(MismatchCount));
    }
    bool CancelRequested() override { return StopKeyPressed(); }
    void CloseView() override { Clear(); }
};

// The folder of a path and its last name.
void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name)
{
    size_t slash = path.find_last_of(L'\\');
    folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    name = path.substr(slash + 1);
}

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SayLine(OutputStream& err, const std::string& text)
{
    err.Write(text + "\r\n");
}

// A file pair of different names: the three checks straight on the two paths.
void ComparePairDirectly(const std::wstring& reference, const std::wstring& target)
{
    ResetEntries();
    MismatchCount = 0;
    RunCancelled = false;
    std::wstring folder, name;
    SplitPath(reference, folder, name);
    AddEntry(CodePageText(name), "", name);
    FilePairEntry& entry = FileEntries[0];
    FilePath r(CodePageText(reference), reference), t(CodePageText(target), target);
    QuietProgressView progress;
    FileFacts targetFacts = LookUpFile(t);
    if (targetFacts.Unreachable()) {
        MarkNotCompared(entry);
        return;
    }
    FileFacts referenceFacts = LookUpFile(r);
    entry.DateResult =
        EnvSettings.CompDate ? CompareDate(referenceFacts, targetFacts) : dvNotCompared;
    entry.SizeResult =
        EnvSettings.CompSize ? CompareSize(referenceFacts, targetFacts) : svNotCompared;
    entry.ContentsResult = EnvSettings.CompContents
                               ? CompareContents(r, referenceFacts, t, targetFacts, progress)
                               : cvNotCompared;
    if (entry.ContentsResult == cvDiffer && EnvSettings.TextRule)
        entry.ContentsResult = TextRuleVerdict(r, t, EnvSettings.TextIgnore);
    if (entry.ContentsResult == cvInUse) CountUnreadable(r, t);
    if (IsMismatch(entry)) ++MismatchCount;
}

// What was not compared (and what the masks left out) is said on standard error; all
// but the masks' choice make the run a trouble.
bool ReportUncompared(OutputStream& err, int32_t listedCount)
{
    if (EntriesDropped)
        SayLine(err, "ファイル数が多すぎるため、最初の" + std::to_string(EntryCount) +
                         "個のファイルだけを比較しました。");
    std::string notice = UncomparedNoticeText();
    if (!notice.empty()) SayLine(err, notice);
    int32_t inUse = 0;
    for (int32_t i = 0; i < listedCount; ++i)
        inUse += FileEntries[static_cast<size_t>(i)].ContentsResult == cvInUse;
    // Why each could not be read, in words: no right to it, or another program's hold.
    if (DeniedCount > 0)
        SayLine(err, "アクセスが拒否されて読めなかったファイルが" + std::to_string(DeniedCount) +
                         "個あります。");
    if (LockedCount > 0)
        SayLine(err, "他のプログラムが使用中で読めなかったファイルが" +
                         std::to_string(LockedCount) + "個あります。");
    if (inUse > DeniedCount + LockedCount)
        SayLine(err, "開けなかったファイルが" + std::to_string(inUse - DeniedCount - LockedCount) +
                         "個あります。");
    // Informational: what only the target holds is no trouble, but it is said.
    std::string unlisted = UnlistedTargetNoticeText("表示するには /targetonly を付けてください。");
    if (!unlisted.empty()) SayLine(err, unlisted);
    if (RunCancelled) SayLine(err, CancelledText());
    return EntriesDropped || UncomparedCount > 0 || UnreadableFolderCount > 0 || inUse > 0 ||
           RunCancelled;
}
} // namespace

void CatchStopKeys()
{
    SetConsoleCtrlHandler(OnStopKey, TRUE);
}

bool StopKeyPressed()
{
    return stopKeyPressed;
}

std::wstring FullPathOf(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(size);
    // A folder keeps no trailing "\" except at a drive root, as the folder tree gives it.
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    return full;
}

DWORD AttributesOfPath(const std::wstring& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(LongPathForm(path).c_str());
}

bool ReachGivenPaths(const ConsoleOptions& options, OutputStream& err, GivenPaths& paths)
{
    paths.Reference = FullPathOf(options.Reference);
    paths.Target = FullPathOf(options.Target);
    paths.ReferenceAttributes = AttributesOfPath(paths.Reference);
    paths.TargetAttributes = AttributesOfPath(paths.Target);
    if (paths.ReferenceAttributes == INVALID_FILE_ATTRIBUTES) {
        err.Write(L"基準が見つかりません: " + options.Reference + L"\r\n");
        return false;
    }
    if (paths.TargetAttributes == INVALID_FILE_ATTRIBUTES) {
        err.Write(L"対象が見つかりません: " + options.Target + L"\r\n");
        return false;
    }
    return true;
}

int CompareFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err,
                       ConsoleSteps* steps)
{
    EnvSettings.CompDate = options.CompDate;
    EnvSettings.CompSize = options.CompSize;
    EnvSettings.CompContents = options.CompContents;
    EnvSettings.DispDiscord = !options.All;
    EnvSettings.TargetOnly = options.TargetOnly;
    EnvSettings.ExcludeFlag = !options.ExcludeMasks.empty();
    EnvSettings.ExcludeMasks = options.ExcludeMasks;
    EnvSettings.TextRule = options.Text.Any();
    EnvSettings.TextIgnore = options.Text;

    GivenPaths given;
    if (!ReachGivenPaths(options, err, given)) return ExitTrouble;
    const std::wstring &reference = given.Reference, &target = given.Target;
    const DWORD referenceAttributes = given.ReferenceAttributes;
    const DWORD targetAttributes = given.TargetAttributes;

    WholeFolder pane;
    std::wstring targetFolder = target;
    if (IsFolder(referenceAttributes)) {
        pane.Real = reference;
        if (!IsFolder(targetAttributes)) {
            err.Write(L"対象がフォルダではありません: " + options.Target + L"\r\n");
            return ExitTrouble;
        }
        // A folder that cannot be read is no folder without files: nothing of it was
        // compared, and nothing of the target is only the target's.
        if (!pane.List() && IsReadFailure(pane.Error)) {
            err.Write(L"基準のフォルダを読み込めません: " + options.Reference + L"\r\n");
            SayLine(err, WithFullStop(IoErrorText(pane.Error)));
            return ExitTrouble;
        }
    } else {
        std::wstring name;
        SplitPath(reference, pane.Real, name);
        pane.Names.push_back(name);
        if (!IsFolder(targetAttributes)) {
            // A pair of files of one name is compared as a folder's record; any other
            // pair straight, so that the file named is the file read, whatever else its
            // folder holds under a name that differs only in case.
            std::wstring targetName;
            SplitPath(target, targetFolder, targetName);
            if (name != targetName) targetFolder.clear();
        }
    }

    ConsoleProgress progress(err);
    int32_t compared = 0;
    try {
        if (targetFolder.empty()) {
            ComparePairDirectly(reference, target);
            compared = EntryCount;
        } else {
            CollectFiles(pane, progress);
            if (steps) steps->Done(ConsoleSteps::Collected);
            ExcludedCount += pane.Excluded;
            if (StopKeyPressed())
                RunCancelled = true;
            else {
                SelectedFolder src(pane.GetSelectedPath(), false, pane.Real);
                src.Whole = IsFolder(referenceAttributes);
                RunComparison(src, {CodePageText(targetFolder), false, targetFolder}, progress);
                compared = RunCancelled ? ReachedCount : EntryCount;
            }
            progress.Clear();
        }
        if (steps) steps->Done(ConsoleSteps::Compared);
    } catch (const IoFailure& failure) {
        progress.Clear();
        SayLine(err, WithFullStop(IoErrorText(failure.Code)));
        return ExitTrouble;
    }

    // Only what was compared is listed: a stopped run's later records hold no verdict.
    RunFolders folders{pane.GetSelectedPath(), CodePageText(targetFolder), pane.Real, targetFolder};
    ResultRows rows = OpeningRows(FileEntries, compared, !options.All);
    CsvForm form;
    form.Encoding = options.Utf8 ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis;
    if (!options.CsvPath.empty()) {
        try {
            ExportRows(options.CsvPath, !options.Append, folders, rows, {}, form);
        } catch (const IoFailure& failure) {
            err.Write(L"CSV ファイルに書き込めません: " + options.CsvPath + L"\r\n");
            SayLine(err, WithFullStop(IoErrorText(failure.Code)));
            return ExitTrouble;
        } catch (const UnappendableFile& refusal) {
            SayLine(err, refusal.Reason);
            return ExitTrouble;
        }
    } else {
        for (const FilePairEntry* row : rows) {
            std::string verdicts;
            for (int column : {rcDate, rcSize, rcContents})
                verdicts += "\t" + ResultRowText(*row, column);
            verdicts += "\r\n";
            FilePath path = RowPath(folders, *row);
            out.Write(EscapedControls(path.Text) + verdicts,
                      EscapedControls(RealFormOf(path)) + WideOf(verdicts));
        }
    }
    out.Flush();
    if (steps) steps->Done(ConsoleSteps::Written);
    if (ReportUncompared(err, compared)) return ExitTrouble;
    return MismatchCount > 0 ? ExitDifferent : ExitSame;
}
