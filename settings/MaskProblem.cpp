#include "settings/MaskProblem.h"

std::string MaskProblem(const std::wstring& mask)
{
    std::wstring wide = mask;
    bool folder = !wide.empty() && wide.back() == L'\\';
    if (folder) wide.pop_back();
    if (wide.find_first_not_of(L" ") == std::wstring::npos)
        return "マスクが空です。ファイル名かワイルドカード（例: *.tmp、bin\\）を入力してください。";
    for (wchar_t c : wide)
        if (c < 0x20 || std::wstring(L"\\/:\"<>|").find(c) != std::wstring::npos)
            return "マスクに使えない文字が含まれています（\\ / : \" < > |）。"
                   "フォルダを表すときだけ、末尾に \\ を1つ付けてください。";
    return {};
}
