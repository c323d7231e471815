// Engine figures: the contents check, file collection and a whole compare run
// without windows, each through the engine's public routines.
#include "bench/BenchTiming.h"
#include "bench/BenchViews.h"
#include "engine/CompDispView.h"
#include "engine/CompareRun.h"
#include "engine/Util.h"
#include "engine/WholeFolder.h"
#include "settings/EnvSettings.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"

#include <cstdlib>
#include <string>
#include <vector>
#include <windows.h>

namespace {
std::string CountsNote()
{
    return "records=" + std::to_string(EntryCount) +
           ",mismatches=" + std::to_string(MismatchCount) + (EntriesDropped ? ",dropped" : "");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    InitializeToolkit();
    EnvSettings.CompDate = EnvSettings.CompSize = EnvSettings.CompContents = true;
    const std::string mode = argv[1];
    if (mode == "contents" && argc == 6) {
        // contents NAME REF TARGET REPS
        SilentProgressView progress;
        Measure(argv[2], std::atoi(argv[5]), [&] {
            return CompareContents(argv[3], argv[4], progress) == cvSame ? "same" : "differ";
        });
    } else if (mode == "contentswindow" && argc == 6) {
        // contentswindow NAME REF TARGET REPS: the same through the real progress window,
        // which is updated and pumped at the check's fixed points
        CompDispView view;
        view.Open();
        view.ShowView();
        Measure(argv[2], std::atoi(argv[5]), [&] {
            return CompareContents(argv[3], argv[4], view) == cvSame ? "same" : "differ";
        });
        view.CloseView();
    } else if (mode == "collect" && argc == 6) {
        // collect NAME BASE FOLDER REPS
        OneFolderPane pane(argv[3], argv[4]);
        Measure(argv[2], std::atoi(argv[5]), [&] {
            CollectFiles(pane);
            std::string note = CountsNote();
            ReleaseEntries();
            return note;
        });
        // Where collection's time goes: the recursive search without the progress
        // window, and the records' list alone, filled with the same strings.
        std::vector<std::pair<std::string, std::string>> records;
        Measure(std::string(argv[2]) + "_search", std::atoi(argv[5]), [&] {
            ResetEntries();
            SearchFolder(std::string(argv[3]) + "\\", std::string(argv[4]) + "\\");
            std::string note = CountsNote();
            records.clear();
            for (const FilePairEntry& e : FileEntries)
                records.emplace_back(e.Name, e.Folder);
            ReleaseEntries();
            return note;
        });
        Measure(std::string(argv[2]) + "_records", std::atoi(argv[5]), [&] {
            ResetEntries();
            for (const auto& r : records)
                AddEntry(r.first, r.second);
            std::string note = CountsNote();
            ReleaseEntries();
            return note;
        });
    } else if ((mode == "run" && argc == 7) || (mode == "quickrun" && argc == 8)) {
        // run NAME SRCBASE DESBASE FOLDER REPS: collection, then the comparison loop;
        // quickrun ... TARGETONLY: the same with dates and sizes only, target-only on or off
        if (mode == "quickrun") {
            EnvSettings.CompContents = false;
            EnvSettings.TargetOnly = std::atoi(argv[7]) != 0;
        }
        OneFolderPane pane(argv[3], argv[5]);
        SilentProgressView view;
        std::vector<double> collectTimes, loopTimes, total;
        std::string note;
        for (int rep = 0; rep < std::atoi(argv[6]); ++rep) {
            double start = NowSeconds();
            CollectFiles(pane);
            double collected = NowSeconds();
            RunComparison(SelectedFolder(argv[3]), SelectedFolder(argv[4]), view);
            double done = NowSeconds();
            note = CountsNote();
            ReleaseEntries();
            collectTimes.push_back(collected - start);
            loopTimes.push_back(done - collected);
            total.push_back(done - start);
        }
        PrintResult(argv[2], total, note);
        PrintResult(std::string(argv[2]) + "_collect", collectTimes, note);
        PrintResult(std::string(argv[2]) + "_loop", loopTimes, note);
    } else if (mode == "whole" && argc == 8) {
        // whole NAME SRCBASE DESBASE FOLDER REPS QUICK: the reference folder compared whole
        // (what フォルダ全体を比較 and 比較 with nothing selected do) against the same folder
        // with its one item FOLDER selected, that is every item, as before; taken in turns,
        // so that both meet the same machine. QUICK 1: dates and sizes only.
        EnvSettings.CompContents = std::atoi(argv[7]) == 0;
        const std::string name = argv[2];
        OneFolderPane pane(argv[3], argv[5]);
        SilentProgressView view;
        std::vector<double> whole, all;
        std::string note;
        for (int rep = 0; rep < std::atoi(argv[6]); ++rep) {
            for (int turn = 0; turn < 2; ++turn) {
                bool wholeTurn = (turn == 0) == (rep % 2 == 0);
                double start = NowSeconds();
                SelectedFolder src(argv[3]);
                if (wholeTurn) {
                    src.Real = WideOf(argv[3]);
                    bool read = true;
                    CollectWholeFolder(src.Real, read);
                    src.Whole = read;
                } else {
                    CollectFiles(pane);
                }
                RunComparison(src, SelectedFolder(argv[4]), view);
                (wholeTurn ? whole : all).push_back(NowSeconds() - start);
                note = CountsNote();
                ReleaseEntries();
            }
        }
        PrintResult(name + "_whole", whole, note);
        PrintResult(name + "_all", all, note);
    } else {
        return 2;
    }
    return 0;
}
