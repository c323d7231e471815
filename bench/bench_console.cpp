// The console program's folder comparison in one process, timed by its steps: collection,
// the comparison loop, the output; the whole process is timed by measure.sh.
#include "bench/BenchTiming.h"
#include "console/ConsoleRun.h"
#include "engine/FileEntries.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct StepTimes : ConsoleSteps {
    double At[3] = {};
    void Done(Step step) override { At[step] = NowSeconds(); }
};
} // namespace

int wmain(int argc, wchar_t** argv)
{
    // console NAME REF TARGET REPS
    if (argc != 6 || std::wstring(argv[1]) != L"console") return 2;
    const std::wstring wideName = argv[2];
    const std::string name(wideName.begin(), wideName.end());
    ConsoleOptions options;
    std::wstring reason;
    if (!ParseArguments({argv[3], argv[4]}, options, reason)) return 2;
    OutputStream out(STD_OUTPUT_HANDLE, false), err(STD_ERROR_HANDLE, false);
    std::vector<double> total, collect, loop, output;
    std::string note;
    for (int rep = 0; rep < _wtoi(argv[5]); ++rep) {
        StepTimes steps;
        double start = NowSeconds();
        int status = CompareFromConsole(options, out, err, &steps);
        double end = NowSeconds();
        total.push_back(end - start);
        collect.push_back(steps.At[ConsoleSteps::Collected] - start);
        loop.push_back(steps.At[ConsoleSteps::Compared] - steps.At[ConsoleSteps::Collected]);
        output.push_back(steps.At[ConsoleSteps::Written] - steps.At[ConsoleSteps::Compared]);
        note = "records=" + std::to_string(EntryCount) + ",status=" + std::to_string(status);
        ReleaseEntries();
    }
    PrintResult(name, total, note);
    PrintResult(name + "_collect", collect, note);
    PrintResult(name + "_loop", loop, note);
    PrintResult(name + "_output", output, note);
    return 0;
}
