#pragma once
#include "textdiff/TextDiff.h"

#include <string>
#include <windows.h>

// A file's time as diff -u writes it: local time with nanoseconds and the zone's offset
// at that date, "2026-12-10 13:41:39.123456700 +0900".
std::string DiffTimeText(const FILETIME& utc);

// Appends the unified diff of a pair to out as diff -u writes it: "--- " and "+++ " with
// the given labels (name, tab, time), then "@@ -a,b +c,d @@" hunks with context lines
// around each change, changes closer than twice the context in one hunk. Body lines are
// the files' own bytes, endings included, so that patch gives B back from A; a line
// without an ending is followed by "\ No newline at end of file". UTF-16 files, whose
// units diff cannot carry, are written in UTF-8. Hunks the options ignore are left out
// unless they fall inside a hunk that is written. Nothing is written when no change
// is left.
void AppendUnifiedDiff(const TextFile& a, const TextFile& b, const TextDiffResult& diff,
                       const std::string& aLabel, const std::string& bLabel, std::string& out,
                       size_t context = 3);
