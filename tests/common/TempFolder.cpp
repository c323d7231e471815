#include "tests/common/TempFolder.h"

#include "toolkit/CodePage.h"

#include <vector>

namespace {
void MakeFolders(const std::string& path)
{
    for (size_t i = 3; i < path.size(); ++i)
        if (path[i] == '\\' && !IsDBCSLeadByte(static_cast<BYTE>(path[i - 1])))
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

// Writes the bytes into a newly created file and closes it.
void WriteBytes(HANDLE h, const std::string& bytes)
{
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}
}  // namespace

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        Path = std::string(base) + "vexil" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++counter) + "\\";
        if (CreateDirectoryA(Path.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(Path); }

std::string TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const
{
    std::string full = Path + relative;
    MakeFolders(full);
    WriteBytes(CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr),
               bytes);
    return full;
}

std::string TempFolder::MakeFolder(const std::string& relative) const
{
    std::string full = Path + relative;
    if (full.back() != '\\') full += '\\';
    MakeFolders(full);
    return full;
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
}

bool MakeSparseFile(const std::string& path, int64_t size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER to;
    to.QuadPart = size;
    bool ok = SetFilePointerEx(h, to, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

bool PatchFile(const std::string& path, int64_t offset, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER to;
    to.QuadPart = offset;
    DWORD written = 0;
    bool ok = SetFilePointerEx(h, to, nullptr, FILE_BEGIN) &&
              ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(h);
    return ok;
}

bool SetLocalWriteTime(const std::string& path, int year, int month, int day, int hour, int minute,
                       int second)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME local, utc;
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BOOL ok = SetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
    return ok != FALSE;
}

namespace {
// Wide calls with the long form, so names outside the code page and deep paths go too.
void RemoveWideTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = folder + name;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveWideTree(full + L"\\");
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileW(full.c_str())) RemoveDirectoryW(full.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}
} // namespace

void RemoveTree(const std::string& path)
{
    std::wstring folder = WideOf(path);
    if (folder.empty()) return;
    if (folder.back() != L'\\') folder += L'\\';
    if (folder.size() > 2 && folder[1] == L':') folder = L"\\\\?\\" + folder;
    RemoveWideTree(folder);
}

std::wstring TempFolder::WriteFile(const std::wstring& relative, const std::string& bytes) const
{
    std::wstring full = L"\\\\?\\" + WideOf(Path) + relative;
    for (size_t i = 7; i < full.size(); ++i)
        if (full[i] == L'\\') CreateDirectoryW(full.substr(0, i).c_str(), nullptr);
    WriteBytes(CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr),
               bytes);
    return full;
}
