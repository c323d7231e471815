#include "settings/RegistryStore.h"

#include "toolkit/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <vector>
#include <windows.h>

const char* const RegistryRootPath = "Software\\Brask\\Vexil32";

namespace {
// One open key, closed when it goes out of scope.
struct RegKey {
    HKEY Handle = nullptr;
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey()
    {
        if (Handle) RegCloseKey(Handle);
    }
};

// The program's key, created when missing; then its section, created only for writing.
bool OpenSection(const std::string& section, bool forWriting, RegKey& key)
{
    RegKey root;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RegistryRootPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &root.Handle, nullptr) != ERROR_SUCCESS)
        return false;
    if (forWriting)
        return RegCreateKeyExA(root.Handle, section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key.Handle, nullptr) == ERROR_SUCCESS;
    return RegOpenKeyExA(root.Handle, section.c_str(), 0, KEY_ALL_ACCESS, &key.Handle) ==
           ERROR_SUCCESS;
}

// The value's text, or false when it is missing or not a string value.
bool QueryString(const std::string& section, const std::string& name, std::string& text)
{
    RegKey key;
    if (!OpenSection(section, false, key)) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Handle, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // One spare byte: stored data need not end with a terminator.
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key.Handle, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        return false;
    if (got > size) got = size;
    text.assign(buffer.data(), got);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return true;
}

// Strict decimal text of a signed 32-bit number.
bool ParseInteger(const std::string& text, int& value)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    errno = 0;
    long long n = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || n < INT_MIN || n > INT_MAX) return false;
    value = static_cast<int>(n);
    return true;
}
} // namespace

bool ValueExists(const std::string& section, const std::string& name)
{
    RegKey key;
    if (!OpenSection(section, false, key)) return false;
    return RegQueryValueExA(key.Handle, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::string ReadString(const std::string& section, const std::string& name,
                       const std::string& defaultValue)
{
    std::string text;
    return QueryString(section, name, text) ? text : defaultValue;
}

int ReadInteger(const std::string& section, const std::string& name, int defaultValue)
{
    std::string text;
    int value = 0;
    if (QueryString(section, name, text) && ParseInteger(text, value)) return value;
    return defaultValue;
}

bool ReadBool(const std::string& section, const std::string& name, bool defaultValue)
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    RegKey key;
    if (!OpenSection(section, true, key)) return;
    RegSetValueExA(key.Handle, name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void WriteInteger(const std::string& section, const std::string& name, int value)
{
    WriteString(section, name, std::to_string(value));
}

void WriteBool(const std::string& section, const std::string& name, bool value)
{
    WriteString(section, name, value ? "1" : "0");
}

bool ReadRealString(const std::string& section, const std::string& name, std::wstring& text)
{
    RegKey key;
    if (!OpenSection(section, false, key)) return false;
    std::wstring wideName = WideOf(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Handle, wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // One spare character: stored data need not end with a terminator.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    if (RegQueryValueExW(key.Handle, wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        return false;
    text.assign(buffer.data(), std::min<size_t>(got / sizeof(wchar_t), buffer.size() - 1));
    text.resize(std::wcslen(text.c_str()));
    return true;
}

void WriteRealString(const std::string& section, const std::string& name,
                     const std::wstring& value)
{
    RegKey key;
    if (!OpenSection(section, true, key)) return;
    RegSetValueExW(key.Handle, WideOf(name).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void DeleteValue(const std::string& section, const std::string& name)
{
    RegKey key;
    if (OpenSection(section, false, key)) RegDeleteValueA(key.Handle, name.c_str());
}
