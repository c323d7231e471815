#include "mainwindow/FolderHistory.h"

#include <cwctype>
#include <windows.h>

void AddFolderHistory(TComboBoxEx& box, const std::wstring& path)
{
    box.Insert(0, path);
    // Histories built here hold no duplicates, so one pass finds the older copy; the
    // index moves on after a removal as well, which a stored history with repeated
    // entries keeps.
    int count = box.Count();
    for (int i = 1, pass = 0; pass < count - 1; ++pass, ++i) {
        if (i < box.Count() && box.RealItem(i) == path) box.Delete(i);
    }
    if (box.Count() > 10) box.Delete(10);
    box.SetItemIndex(0);
}

namespace {
bool IsBlank(wchar_t c)
{
    return std::iswspace(c) || c == L'\x3000'; // the full-width space too
}

std::wstring Expanded(const std::wstring& text)
{
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring out(size, L'\0');
    size = ExpandEnvironmentStringsW(text.c_str(), &out[0], size);
    out.resize(size > 0 ? size - 1 : 0);
    return out;
}

bool IsRelative(const std::wstring& path)
{
    bool drive = path.size() >= 2 && path[1] == L':';
    return !drive && path[0] != L'\\';
}

std::wstring FullPath(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    full.resize(size);
    return full;
}
} // namespace

std::wstring TypedFolderPath(const std::wstring& typed, const std::wstring& current)
{
    size_t first = 0, last = typed.size();
    while (first < last && IsBlank(typed[first]))
        ++first;
    while (last > first && IsBlank(typed[last - 1]))
        --last;
    std::wstring path = typed.substr(first, last - first);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    if (path.empty()) return path;
    path = Expanded(path);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.compare(0, 2, L"::") == 0) return path; // a shell object's parsing name
    if (path.size() == 2 && path[1] == L':') path += L'\\'; // a drive, not its current folder
    if (IsRelative(path)) {
        if (current.empty()) return path;
        path = current + (current.back() == L'\\' ? L"" : L"\\") + path;
    }
    return FullPath(path); // "." and ".." resolved
}
