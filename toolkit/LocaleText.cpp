#include "toolkit/LocaleText.h"

#include <cstdio>

namespace {
std::string LocaleText(LCTYPE type, const char* fallback)
{
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer)) <= 1) return fallback;
    return buffer;
}
} // namespace

std::string ThousandsText(uint64_t value)
{
    std::string digits = std::to_string(value);
    std::string separator = LocaleText(LOCALE_STHOUSAND, ",");
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

std::string LocalTimeText(const FILETIME& utc, bool seconds, int fromYear)
{
    // From the calendar fields rather than the DOS form, which ends in 2107 (Wine wraps
    // 2110 round to 1982 without failing).
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    if (t.wYear < fromYear) return {};
    std::string ds = LocaleText(LOCALE_SDATE, "/"), ts = LocaleText(LOCALE_STIME, ":");
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%04d%s%02d%s%02d %02d%s%02d", t.wYear, ds.c_str(), t.wMonth,
             ds.c_str(), t.wDay, t.wHour, ts.c_str(), t.wMinute);
    std::string text = buffer;
    if (seconds) {
        snprintf(buffer, sizeof(buffer), "%s%02d", ts.c_str(), t.wSecond);
        text += buffer;
    }
    return text;
}

std::string LocalTimeText(uint64_t utc, bool seconds)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(utc);
    time.dwHighDateTime = static_cast<DWORD>(utc >> 32);
    return LocalTimeText(time, seconds);
}
