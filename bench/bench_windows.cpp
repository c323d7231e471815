// Window figures under the virtual display: the result window of 200,001 rows, the
// byte-difference view of two 1 MiB files that differ in every byte, the CSV export,
// and the peak working set of a whole run of 200,001 records.
#include "bench/BenchTiming.h"
#include "bench/BenchViews.h"
#include "bench/WindowWatch.h"
#include "engine/CompareRun.h"
#include "engine/Util.h"
#include "results/Result.h"
#include "settings/EnvSettings.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Pump.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <psapi.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {
const char* const ResultCaption = "結果";
const char* const DumpCaption = "表示";

// Records shaped like a collected tree: 1,000 folders of 200 files, every tenth file
// with differing contents and a spread of date and size verdicts to sort by.
void FillSyntheticEntries(int count)
{
    ResetEntries();
    MismatchCount = 0;
    char name[32], folder[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "f%03d.bin", (i * 7919) % 200);
        std::snprintf(folder, sizeof folder, "top\\d%02d\\s%03d\\", i / 20000, (i / 200) % 100);
        AddEntry(name, folder);
        FilePairEntry& entry = FileEntries.back();
        entry.DateResult = static_cast<DateVerdict>(i % 6);
        entry.SizeResult = static_cast<SizeVerdict>(i % 5);
        entry.ContentsResult = i % 10 == 0 ? cvDiffer : cvSame;
        // Both sides' facts, as a run keeps them for the value columns.
        entry.HasFacts = entry.HasTargetFacts = true;
        entry.Size = (i * 7919) % 2048 + 1;
        entry.TargetSize = entry.Size + i % 5;
        entry.LastWrite = 132500000000000000ull + static_cast<uint64_t>(i) * 37 * 10000000;
        entry.TargetLastWrite = entry.LastWrite + (i % 6) * 20000000;
        if (IsMismatch(entry)) ++MismatchCount;
    }
}

// A letter typed into a list that no row starts with: the list's type-to-find asks the
// window, which looks through every row once.
double TypedLetterSeconds(HWND list)
{
    double start = NowSeconds();
    SendMessageA(list, WM_CHAR, 'z', 1); // a repeat count of one, as typed
    return NowSeconds() - start;
}

// Wine leaves PrivateUsage at 0; the working set grows by the pages the view touched.
size_t WorkingSetBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

double PeakWorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// What closing any shown top-level window of that size costs here: the floor of a close.
struct EmptyForm : Form {};
double CloseOfEmptyWindow(int width, int height)
{
    auto form = std::make_unique<EmptyForm>();
    FormArgs args;
    args.Caption = "empty";
    args.Width = width;
    args.Height = height;
    args.ClientSize = false;
    args.Resizable = true;
    form->CreateForm(args);
    form->Show();
    UpdateWindow(form->Handle);
    ProcessMessages();
    double start = NowSeconds();
    form.reset();
    return NowSeconds() - start;
}

// Opens the result window over FileEntries; waits for its first paint, then runs the
// given steps on it and closes it. Returns open and close times.
struct ResultTimes {
    double Open = 0, Close = 0;
};
ResultTimes WithResultWindow(WindowWatch& watch, const std::string& src, const std::string& des,
                             const std::function<bool(HWND form, HWND list)>& work)
{
    ResultTimes times;
    double closeStart = 0;
    watch.FirstListPaint.clear();
    watch.Step = [&] {
        if (!watch.FirstListPaint.count(ResultCaption)) return false;
        HWND form = FindTopLevel(ResultCaption);
        HWND list = FindChild(form, WC_LISTVIEWA);
        if (!work(form, list)) return false;
        closeStart = NowSeconds();
        PostMessageA(form, WM_CLOSE, 0, 0);
        return true;
    };
    double start = NowSeconds();
    ShowResults(src, des);
    times.Close = NowSeconds() - closeStart;
    times.Open = watch.FirstListPaint[ResultCaption] - start;
    watch.Step = nullptr;
    return times;
}

void ResultWindowFigures(WindowWatch& watch, const std::string& base, int reps)
{
    static const char* const columns[] = {"name",    "folder",  "date",    "size",   "contents",
                                          "srcdate", "desdate", "srcsize", "dessize"};
    const int columnCount = static_cast<int>(std::size(columns));
    EnvSettings.DispDiscord = false;
    FillSyntheticEntries(MaxEntryCount + 1);
    std::vector<double> open, close, sorts[std::size(columns)], finds;
    int rows = 0;
    for (int rep = 0; rep < reps; ++rep) {
        ResultTimes t = WithResultWindow(watch, base + "src", base + "des", [&](HWND, HWND list) {
            rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
            for (int c = 0; c < columnCount; ++c) {
                double start = NowSeconds();
                ClickColumn(list, c);
                UpdateWindow(list);
                sorts[c].push_back(NowSeconds() - start);
            }
            finds.push_back(TypedLetterSeconds(list));
            return true;
        });
        open.push_back(t.Open);
        close.push_back(t.Close);
    }
    std::string note = "rows=" + std::to_string(rows);
    PrintResult("result_open", open, note);
    for (int c = 0; c < columnCount; ++c)
        PrintResult(std::string("result_sort_") + columns[c], sorts[c], note);
    PrintResult("result_close", close, note);
    PrintResult("result_find_none", finds, note);

    // Where the opening goes: the rows (the records' addresses) put in name order.
    Measure("result_rows", reps, [] {
        ResultRows rows = ListedRows(FileEntries, EntryCount, false);
        SortResultRows(rows, rcName, 1);
        return "rows=" + std::to_string(rows.size());
    });
    // ...and the window created and filled, before it is shown.
    Measure("result_create", reps, [&] {
        TResultDlg dialog;
        dialog.Open(base + "src", base + "des");
        return "-";
    });
    // ...and the same window with no rows: what its controls alone cost to make.
    int32_t entries = EntryCount;
    EntryCount = 0;
    Measure("result_create_empty", reps, [&] {
        TResultDlg dialog;
        dialog.Open(base + "src", base + "des");
        return "-";
    });
    EntryCount = entries;
    ReleaseEntries();
}

// The platform's share of an export: writing that many bytes in 64 KiB blocks.
void WriteFloor(const std::string& path, long long bytes, int reps)
{
    std::vector<char> block(65536, 'x');
    Measure("export_write_floor", reps, [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        for (long long done = 0; done < bytes;) {
            DWORD chunk = static_cast<DWORD>(std::min<long long>(65536, bytes - done));
            DWORD written = 0;
            WriteFile(file, block.data(), chunk, &written, nullptr);
            done += chunk;
        }
        CloseHandle(file);
        return "bytes=" + std::to_string(bytes);
    });
    DeleteFileA(path.c_str());
}

void DumpFigures(WindowWatch& watch, const std::string& dumpFolder, int reps)
{
    EnvSettings.DispDiscord = true;
    std::vector<double> open, scroll, close, rowBytes, finds;
    int rows = 0;
    for (int rep = 0; rep < reps; ++rep) {
        ResetEntries();
        size_t usageBefore = 0;
        AddEntry("pair.bin", "");
        FileEntries.back().ContentsResult = cvDiffer;
        MismatchCount = 1;
        double clickAt = 0, closeAt = 0;
        int stage = 0;
        HWND dump = nullptr;
        WithResultWindow(watch, dumpFolder + "src", dumpFolder + "des", [&](HWND form, HWND list) {
            if (stage == 0) {
                LVITEMA item{};
                item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
                HWND button = FindChild(form, WC_BUTTONA, "比較表示(&D)");
                usageBefore = WorkingSetBytes();
                clickAt = NowSeconds();
                PostMessageA(button, BM_CLICK, 0, 0);
                stage = 1;
                return false;
            }
            if (stage == 1) {
                if (!watch.FirstListPaint.count(DumpCaption)) return false;
                open.push_back(watch.FirstListPaint[DumpCaption] - clickAt);
                dump = FindTopLevel(DumpCaption);
                HWND view = FindChild(dump, WC_LISTVIEWA);
                rows = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
                if (rows > 0)
                    rowBytes.push_back(
                        (static_cast<double>(WorkingSetBytes()) - static_cast<double>(usageBefore)) /
                        rows);
                double start = NowSeconds();
                SendMessageA(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows - 1), FALSE);
                UpdateWindow(view);
                scroll.push_back(NowSeconds() - start);
                finds.push_back(TypedLetterSeconds(view));
                closeAt = NowSeconds();
                PostMessageA(dump, WM_CLOSE, 0, 0);
                stage = 2;
                return false;
            }
            if (IsWindow(dump)) return false;
            close.push_back(NowSeconds() - closeAt);
            return true;
        });
        ReleaseEntries();
    }
    std::string note = "rows=" + std::to_string(rows);
    PrintResult("dump_open", open, note);
    PrintResult("dump_scroll", scroll, note);
    PrintResult("dump_close", close, note);
    PrintResult("dump_find_none", finds, note);
    // Bytes, not seconds: what the open view holds per row, everything it made included.
    PrintResult("dump_row_bytes", rowBytes, note);
}

// From the save dialog's end to the "saved" box: the writing of the file.
void ExportFigures(WindowWatch& watch, const std::string& base, int reps)
{
    EnvSettings.DispDiscord = false;
    FillSyntheticEntries(MaxEntryCount + 1);
    const std::string output = base + "result.csv";
    std::vector<double> times;
    long long bytes = 0;
    for (int rep = 0; rep < reps; ++rep) {
        DeleteFileA(output.c_str());
        int stage = 0;
        WithResultWindow(watch, base + "src", base + "des", [&](HWND form, HWND) {
            if (stage == 0) {
                PostMessageA(FindChild(form, WC_BUTTONA, "結果保存(&S)"), BM_CLICK, 0, 0);
                stage = 1;
                return false;
            }
            if (stage == 1) {
                HWND dialog = FindDialog();
                if (!dialog) return false;
                HWND nameBox = GetDlgItem(dialog, 0x47C);          // cmb13, the file name
                if (!nameBox) nameBox = GetDlgItem(dialog, 0x480); // edt1
                SetWindowTextA(nameBox, output.c_str());
                watch.DialogCreatedAt = 0;
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                stage = 2;
                return false;
            }
            HWND box = FindDialog(Application.Title.c_str());
            if (!box || watch.DialogCreatedAt == 0) return false;
            times.push_back(watch.DialogCreatedAt - watch.DialogDestroyedAt);
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        });
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &data))
            bytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    DeleteFileA(output.c_str());
    PrintResult("export", times, "bytes=" + std::to_string(bytes));
    ReleaseEntries();
    WriteFloor(output, bytes, reps);
}

// A whole command's worth of memory: collection, the loop and the result window.
void MemoryFigure(WindowWatch& watch, const std::string& base)
{
    EnvSettings.DispDiscord = false;
    OneFolderPane pane(base, "one");
    pane.Selected.push_back("two");
    SilentProgressView view;
    CollectFiles(pane);
    RunComparison(base, base, view);
    std::string note = "records=" + std::to_string(EntryCount);
    PrintResult("memory_run_peak", {PeakWorkingSetMB()}, note);
    WithResultWindow(watch, base, base, [](HWND, HWND) { return true; });
    ReleaseEntries();
    PrintResult("memory_peak", {PeakWorkingSetMB()}, note);
}

std::string Slashed(std::string path)
{
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    InitializeToolkit();
    EnvSettings.CompDate = EnvSettings.CompSize = EnvSettings.CompContents = true;
    WindowWatch watch;
    const std::string mode = argv[1];
    if (mode == "windows" && argc == 5) {
        // windows DUMPFOLDER WORKFOLDER REPS
        int reps = std::atoi(argv[4]);
        std::vector<double> emptyClose;
        for (int rep = 0; rep < reps; ++rep)
            emptyClose.push_back(CloseOfEmptyWindow(643, 463));
        PrintResult("empty_close", emptyClose, "-");
        ResultWindowFigures(watch, Slashed(argv[3]), reps);
        DumpFigures(watch, Slashed(argv[2]), reps);
        ExportFigures(watch, Slashed(argv[3]), reps);
    } else if (mode == "memory" && argc == 3) {
        MemoryFigure(watch, argv[2]);
    } else {
        return 2;
    }
    return 0;
}
