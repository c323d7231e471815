#pragma once
#include <cstdint>
#include <string>
#include <windows.h>

// Numbers and times as the user's locale writes them.

// Digits grouped by the locale's thousands separator: 1,234,567.
std::string ThousandsText(uint64_t value);
// A UTC file time in local time, "yyyy/mm/dd hh:mm" with the locale's date and time
// separators, and ":ss" when seconds are asked for; "" when it cannot be converted or
// lies before fromYear.
std::string LocalTimeText(const FILETIME& utc, bool seconds, int fromYear = 0);
// The same of a file time kept as one number (100 ns units).
std::string LocalTimeText(uint64_t utc, bool seconds);
