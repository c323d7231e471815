#pragma once
#include "console/ConsoleArgs.h"
#include "console/ConsoleText.h"

// Exit statuses, as diff and cmp give them.
enum ExitStatus { ExitSame = 0, ExitDifferent = 1, ExitTrouble = 2 };

// Ctrl+C and Ctrl+Break stop the work at its next step instead of ending the process.
void CatchStopKeys();
bool StopKeyPressed();

// A path as given, made full; "" when it cannot be.
std::wstring FullPathOf(const std::wstring& path);
// INVALID_FILE_ATTRIBUTES when the path names nothing that can be reached.
DWORD AttributesOfPath(const std::wstring& path);

// Told as each step of a folder comparison ends (the bench times them).
struct ConsoleSteps {
    enum Step { Collected, Compared, Written };
    virtual ~ConsoleSteps() = default;
    virtual void Done(Step step) = 0;
};
// The reference and target as given, made full, with their attributes; false (said on
// standard error) when either names nothing that can be reached.
struct GivenPaths {
    std::wstring Reference, Target;
    DWORD ReferenceAttributes = INVALID_FILE_ATTRIBUTES, TargetAttributes = INVALID_FILE_ATTRIBUTES;
};
bool ReachGivenPaths(const ConsoleOptions& options, OutputStream& err, GivenPaths& paths);

// The folder comparison: records, verdicts, then the rows as lines or as the CSV file.
int CompareFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err,
                       ConsoleSteps* steps = nullptr);
// The unified diff of two files, or of every pair of two folders as diff -ru gives it.
int DiffFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err);
// The byte list of two files, one line (or CSV line) per differing position.
int ListBytesFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err);
