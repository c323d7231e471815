#include "engine/FilePath.h"

#include "engine/Util.h"
#include "toolkit/CodePage.h"

#include <cwchar>
#include <cwctype>

FilePath::FilePath(const std::string& text) : Text(text)
{
    // A path shorter than MAX_PATH bytes is shorter in characters too.
    if (text.size() < MAX_PATH) return;
    std::wstring wide = WideOf(text);
    if (wide.size() >= MAX_PATH) Real = LongPathForm(wide);
}

FilePath::FilePath(const std::string& text, const std::wstring& real)
    : Text(text), Real(LongPathForm(real))
{
}

bool NeedsExactName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..") return false;
    if (name.back() == L'.' || name.back() == L' ') return true;
    // The device names hold with any extension: "nul.txt" is the device too.
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    if (stem.size() != 3 && stem.size() != 4) return false;
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(towupper(c));
    static const wchar_t* const devices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* device : devices)
        if (stem == device) return true;
    return stem.size() == 4 &&
           (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

bool IsUnreachableName(const std::wstring& name)
{
    for (wchar_t c : name)
        if (c < 0x20 || std::wcschr(L"<>:\"/\\|?*", c)) return true;
    return false;
}

namespace {
bool HasExactNameSegment(const std::wstring& path)
{
    size_t start = 0;
    // The drive or share at the front is no name.
    if (path.size() > 2 && path[1] == L':') start = 3;
    while (start < path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        if (NeedsExactName(path.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}
} // namespace

std::wstring LongPathForm(const std::wstring& path)
{
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.size() < MAX_PATH && !HasExactNameSegment(path)) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path; // a relative path has no long form
}

std::wstring ShownPathForm(const std::wstring& path)
{
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

FilePath RecordPath(const std::string& base, const std::string& folder, const std::string& name,
                    const std::wstring& realPath)
{
    std::string text = base + folder + name;
    if (realPath.empty()) return FilePath(text);
    return FilePath(text, WideOf(base) + realPath);
}

FilePath BasePath(const std::string& path, const std::wstring& real)
{
    FilePath base;
    base.Text = JoinPath(path, "");
    std::string form;
    if (!real.empty() && !CodePageForm(real, form)) {
        base.Real = real;
        if (base.Real.back() != L'\\') base.Real += L'\\';
    }
    return base;
}

FilePath RecordPath(const FilePath& base, const std::string& folder, const std::string& name,
                    const std::wstring& realPath)
{
    if (base.Real.empty()) return RecordPath(base.Text, folder, name, realPath);
    return FilePath(base.Text + folder + name,
                    base.Real + (realPath.empty() ? WideOf(folder + name) : realPath));
}

bool FileAttributesOf(const FilePath& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    if (!path.Real.empty())
        return GetFileAttributesExW(path.Real.c_str(), GetFileExInfoStandard, &data);
    return GetFileAttributesExA(path.Text.c_str(), GetFileExInfoStandard, &data);
}

DWORD AttributesOf(const FilePath& path)
{
    return path.Real.empty() ? GetFileAttributesA(path.Text.c_str())
                             : GetFileAttributesW(path.Real.c_str());
}

HANDLE OpenForReading(const FilePath& path, DWORD flags)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (!path.Real.empty())
        return CreateFileW(path.Real.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, flags,
                           nullptr);
    return CreateFileA(path.Text.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}
