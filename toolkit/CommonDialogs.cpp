#include "toolkit/CommonDialogs.h"

#include <commdlg.h>
#include <algorithm>
#include <vector>

namespace {
// Room for the longest path the platform accepts, in double-byte characters.
const size_t FileBufferSize = 32768 * 2 + 1;

bool RunFileDialog(bool save, HWND owner, const std::string& filter, std::string& fileName,
                   const std::string& defaultExt, const std::string& title, DWORD flags)
{
    std::string filters = FilterList(filter);
    std::vector<char> buffer(FileBufferSize, '\0');
    fileName.copy(buffer.data(), std::min(fileName.size(), FileBufferSize - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    fileName = buffer.data();
    return true;
}
} // namespace

std::string FilterList(const std::string& filter)
{
    if (filter.empty()) return {};
    std::string list;
    for (size_t i = 0; i < filter.size(); ++i) {
        char c = filter[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < filter.size()) {
            list += c;
            list += filter[++i];
        } else {
            list += c == '|' ? '\0' : c;
        }
    }
    list += '\0';
    list += '\0';
    return list;
}

bool OpenFileDialog::Execute(HWND owner)
{
    return RunFileDialog(false, owner, Filter, FileName, DefaultExt, Title, 0);
}

bool SaveFileDialog::Execute(HWND owner)
{
    return RunFileDialog(true, owner, Filter, FileName, DefaultExt, Title,
                         OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
}

bool FontDialog::Execute(HWND owner)
{
    LOGFONTA chosen = Font;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &chosen;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&cf)) return false;
    Font = chosen;
    return true;
}

bool ColorDialog::Execute(HWND owner)
{
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = Color;
    cc.lpCustColors = CustomColors;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    Color = cc.rgbResult;
    return true;
}
