#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/LocaleText.h"

// The texts of the list's size and date columns, and the extension mask of a fill.
namespace {
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
    std::string number = ThousandsText(kilobytes);
    if (number.size() < 8) number.insert(0, 8 - number.size(), ' ');
    return number + "KB";
}

std::string FileDateText(const FILETIME& utc)
{
    // To the minute; a date before 1980 is left blank.
    return LocalTimeText(utc, false, 1980);
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
