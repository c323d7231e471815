#pragma once
#include "engine/FileEntries.h"

#include <cstdint>
#include <string>

// The texts the result list, its sorting and the CSV file work on.
std::string DateVerdictText(DateVerdict verdict);
std::string SizeVerdictText(SizeVerdict verdict);
std::string ContentsVerdictText(ContentsVerdict verdict);

// A byte count as the status bar shows it: "1023 バイト", "1.13KB", "117.74MB", "5GB"
// (two fraction digits at most, half away from zero, the locale's decimal separator).
std::string SizeText(int64_t bytes);
