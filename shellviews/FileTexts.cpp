#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

#include <cstdio>

// The texts of the list's size and date columns, and the extension mask of a fill.
namespace {
std::string LocaleText(LCTYPE type, const char* fallback)
{
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer)) <= 1) return fallback;
    return buffer;
}

std::string GroupThousands(uint64_t value)
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

// Upper-cases ASCII letters, leaving both bytes of a double-byte character alone.
std::string UpperAscii(const std::string& text)
{
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); ++i) {
        auto c = static_cast<BYTE>(upper[i]);
        if (IsDBCSLeadByte(c)) {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') upper[i] = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}
} // namespace

std::string FileSizeText(uint64_t bytes)
{
    // Kilobytes with halves rounded away from zero, as "%8.0n" does.
    uint64_t kilobytes = (bytes + 512) / 1024;
    std::string number = GroupThousands(kilobytes);
    if (number.size() < 8) number.insert(0, 8 - number.size(), ' ');
    return number + "KB";
}

std::string FileDateText(const FILETIME& utc)
{
    // From the calendar fields rather than the DOS form, which ends in 2107 (Wine wraps
    // 2110 round to 1982 without failing); to the minute, both read the same.
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    if (t.wYear < 1980) return {};
    std::string ds = LocaleText(LOCALE_SDATE, "/"), ts = LocaleText(LOCALE_STIME, ":");
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%04d%s%02d%s%02d %02d%s%02d", t.wYear, ds.c_str(), t.wMonth,
             ds.c_str(), t.wDay, t.wHour, ts.c_str(), t.wMinute);
    return buffer;
}

bool PassesMask(const std::vector<std::string>& mask, const std::string& parsingName)
{
    if (mask.empty()) return true;
    std::string name = parsingName.substr(FolderPartOf(parsingName).size());
    size_t dot = name.rfind('.'); // "." is never a trail byte
    if (dot == std::string::npos) return false;
    std::string extension = UpperAscii(name.substr(dot));
    for (const std::string& entry : mask)
        if (UpperAscii(entry) == extension) return true;
    return false;
}
