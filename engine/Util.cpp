#include "engine/Util.h"

#include <windows.h>

namespace {
// A "\" that is the trail byte of a double-byte character (ソ, 表) is no separator,
// so the string is walked character by character from its start.
bool EndsWithSeparator(const std::string& text)
{
    bool last = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
            ++i;
            last = false;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}
} // namespace

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return {};
    if (EndsWithSeparator(folder)) return folder + name;
    return folder + "\\" + name;
}

std::string DriveOfCaption(const std::string& caption)
{
    // ":" is never a trail byte, so a plain byte search is safe here.
    size_t colon = caption.find(':');
    if (colon == std::string::npos || colon == 0) return {};
    return caption.substr(colon - 1, 2);
}

bool IsFolderPath(const FilePath& path)
{
    // A path that cannot be read gives all bits set, the directory bit among them.
    return (AttributesOf(path) & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsSpecialFolderName(const std::string& text)
{
    static const char* const names[] = {"ﾃﾞｽｸﾄｯﾌﾟ", "ﾏｲ ｺﾝﾋﾟｭｰﾀ", "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ", "ごみ箱"};
    for (const char* name : names)
        if (text == name) return true;
    return false;
}
