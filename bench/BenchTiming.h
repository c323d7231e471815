#pragma once
// Timing and the machine-readable lines of the Windows-side bench programs:
// RESULT <name> <min seconds> <median seconds> <note>, one per measured operation.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

inline double NowSeconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void PrintResult(const std::string& name, std::vector<double> times, const std::string& note)
{
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("RESULT %s %.6f %.6f %s\n", name.c_str(), times[0], median,
                note.empty() ? "-" : note.c_str());
    std::fflush(stdout);
}

// Runs the operation reps times; the operation returns the note of its last run.
inline void Measure(const std::string& name, int reps,
                    const std::function<std::string()>& operation)
{
    std::vector<double> times;
    std::string note;
    for (int i = 0; i < reps; ++i) {
        double start = NowSeconds();
        note = operation();
        times.push_back(NowSeconds() - start);
    }
    PrintResult(name, times, note);
}
