// The text view on a long pair: open to first paint, the next difference, the scroll to
// the end, and the peak working set against the size of the two files.
#include "bench/BenchTiming.h"
#include "results/TextDiffDlg.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"

#include <cstdio>
#include <memory>
#include <psapi.h>
#include <string>
#include <vector>

namespace {
double PeakWorkingSetBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize);
}

double SizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return static_cast<double>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) return 2;
    InitializeToolkit();
    const std::wstring a = argv[1], b = argv[2];
    const int reps = _wtoi(argv[3]);
    std::vector<double> open, next, end;
    std::string note;
    for (int rep = 0; rep < reps; ++rep) {
        double start = NowSeconds();
        auto view = std::make_unique<TTextDiffDlg>();
        view->Open(nullptr);
        view->Fill(FilePath(CodePageText(a), a), FilePath(CodePageText(b), b), {});
        view->Show();
        UpdateWindow(view->Handle);
        open.push_back(NowSeconds() - start);
        for (int i = 0; i < 20; ++i) {
            start = NowSeconds();
            view->DiffPanes.GoToNextDifference();
            UpdateWindow(view->DiffPanes.Handle);
            next.push_back(NowSeconds() - start);
        }
        start = NowSeconds();
        view->DiffPanes.ScrollTo(view->Rows.Count());
        UpdateWindow(view->DiffPanes.Handle);
        end.push_back(NowSeconds() - start);
        note = "lines=" + std::to_string(view->Reference.Lines.size()) +
               ",changes=" + std::to_string(view->Diff.ChangedHunks());
    }
    PrintResult("textview_open", open, note);
    PrintResult("textview_next", next, "-");
    PrintResult("textview_end", end, "-");
    double ratio = PeakWorkingSetBytes() / (SizeOf(a) + SizeOf(b));
    std::printf("RESULT textview_peak_ratio %.3f %.3f peak-MB=%.1f\n", ratio, ratio,
                PeakWorkingSetBytes() / (1024.0 * 1024.0));
    return 0;
}
