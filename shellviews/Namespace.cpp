#include "shellviews/Namespace.h"

#include "toolkit/CodePage.h"

#include <cstring>

namespace {
struct SharedShell {
    IMalloc* Malloc = nullptr;
    IShellFolder* Desktop = nullptr;
    bool Tried = false;

    void Obtain()
    {
        if (Tried) return;
        Tried = true;
        if (SUCCEEDED(SHGetMalloc(&Malloc)) && Malloc) {
            if (FAILED(SHGetDesktopFolder(&Desktop))) Desktop = nullptr;
        } else {
            Malloc = nullptr;
        }
    }
    void Release()
    {
        if (Desktop) Desktop->Release();
        if (Malloc) Malloc->Release();
        Desktop = nullptr;
        Malloc = nullptr;
        Tried = false;
    }
    ~SharedShell() { Release(); }
};

SharedShell Shared;

USHORT CountOf(LPCITEMIDLIST item)
{
    return item->mkid.cb;
}

LPITEMIDLIST Allocate(UINT bytes)
{
    IMalloc* m = ShellMalloc();
    if (!m) return nullptr;
    auto* p = static_cast<LPITEMIDLIST>(m->Alloc(bytes));
    if (p) std::memset(p, 0, bytes);
    return p;
}
} // namespace

IMalloc* ShellMalloc()
{
    Shared.Obtain();
    return Shared.Malloc;
}

IShellFolder* DesktopFolder()
{
    Shared.Obtain();
    return Shared.Desktop;
}

void EndNamespace()
{
    Shared.Release();
}

LPITEMIDLIST NextItem(LPCITEMIDLIST item)
{
    return reinterpret_cast<LPITEMIDLIST>(
        const_cast<BYTE*>(reinterpret_cast<const BYTE*>(item) + CountOf(item)));
}

LPITEMIDLIST NextItemOrNone(LPCITEMIDLIST item)
{
    if (!item || CountOf(item) == 0) return nullptr;
    LPITEMIDLIST next = NextItem(item);
    return CountOf(next) == 0 ? nullptr : next;
}

UINT IdListSize(LPCITEMIDLIST list)
{
    if (!list) return 0;
    UINT size = 2;
    for (LPCITEMIDLIST p = list; CountOf(p) != 0; p = NextItem(p))
        size += CountOf(p);
    return size;
}

LPITEMIDLIST CopyFirstItem(LPCITEMIDLIST list)
{
    if (!list) return nullptr;
    UINT count = CountOf(list);
    LPITEMIDLIST copy = Allocate(count + 2);
    if (copy) std::memcpy(copy, list, count);
    return copy;
}

LPITEMIDLIST JoinIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    UINT a = first ? IdListSize(first) - 2 : 0;
    UINT b = second ? IdListSize(second) : 0;
    LPITEMIDLIST joined = Allocate(a + b + 2);
    if (!joined) return nullptr;
    auto* bytes = reinterpret_cast<BYTE*>(joined);
    if (a) std::memcpy(bytes, first, a);
    if (b) std::memcpy(bytes + a, second, b);
    return joined;
}

LPITEMIDLIST CopyIdList(LPCITEMIDLIST list)
{
    return list ? JoinIdLists(nullptr, list) : nullptr;
}

void FreeIdList(LPCITEMIDLIST list)
{
    if (!list) return;
    if (IMalloc* m = ShellMalloc()) m->Free(const_cast<LPITEMIDLIST>(list));
}

bool StrRetToString(STRRET& answer, LPCITEMIDLIST item, std::string& text, std::wstring* real)
{
    text.clear();
    if (real) real->clear();
    switch (answer.uType) {
    case STRRET_WSTR: {
        if (!answer.pOleStr) return false;
        // "?" for what the code page cannot hold: a look-alike would name another file.
        if (!CodePageForm(answer.pOleStr, wcslen(answer.pOleStr), text) && real)
            *real = answer.pOleStr;
        if (IMalloc* m = ShellMalloc()) m->Free(answer.pOleStr);
        answer.pOleStr = nullptr;
        return true;
    }
    case STRRET_OFFSET:
        if (!item) return false;
        text = reinterpret_cast<const char*>(item) + answer.uOffset;
        return true;
    case STRRET_CSTR:
        text.assign(answer.cStr, strnlen(answer.cStr, sizeof(answer.cStr)));
        return true;
    }
    return false;
}

bool StrRetToWide(STRRET& answer, LPCITEMIDLIST item, std::wstring& text)
{
    text.clear();
    if (answer.uType != STRRET_WSTR) {
        std::string narrow;
        if (!StrRetToString(answer, item, narrow)) return false;
        text = WideOf(narrow);
        return true;
    }
    if (!answer.pOleStr) return false;
    text = answer.pOleStr;
    if (IMalloc* m = ShellMalloc()) m->Free(answer.pOleStr);
    answer.pOleStr = nullptr;
    return true;
}

std::wstring WideDisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind)
{
    std::wstring text;
    if (!folder || !item) return text;
    STRRET answer{};
    if (FAILED(folder->GetDisplayNameOf(item, kind, &answer))) return text;
    StrRetToWide(answer, item, text);
    return text;
}

bool DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind, std::string& text,
                   std::wstring* real)
{
    text.clear();
    if (real) real->clear();
    if (!folder || !item) return false;
    STRRET answer{};
    if (FAILED(folder->GetDisplayNameOf(item, kind, &answer))) return false;
    return StrRetToString(answer, item, text, real);
}

std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind)
{
    std::string text;
    DisplayNameOf(folder, item, kind, text);
    return text;
}

bool ToShellWide(const std::string& text, std::wstring& wide)
{
    wide.assign(MAX_PATH, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), MAX_PATH);
    if (n <= 0) {
        wide.clear();
        return false;
    }
    wide.resize(static_cast<size_t>(n) - 1);
    return true;
}

std::string FolderPartOf(const std::string& path)
{
    // Walk by characters: a trail byte of Shift-JIS may be 0x5C.
    size_t end = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<BYTE>(path[i]);
        if (IsDBCSLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == ':') end = i + 1;
    }
    return path.substr(0, end);
}

IShellFolder* BindFolder(LPCITEMIDLIST absolute)
{
    IShellFolder* desktop = DesktopFolder();
    if (!desktop || !absolute || absolute->mkid.cb == 0) return nullptr;
    IShellFolder* folder = nullptr;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(&folder))))
        return nullptr;
    return folder;
}

int CompareItems(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    if (!folder) return -1;
    HRESULT hr = folder->CompareIDs(0, a, b);
    if (FAILED(hr)) return -1;
    return static_cast<short>(HRESULT_CODE(hr));
}

ULONG AttributesOf(IShellFolder* folder, LPCITEMIDLIST item, ULONG mask)
{
    if (!folder || !item) return 0;
    ULONG attributes = mask;
    if (FAILED(folder->GetAttributesOf(1, &item, &attributes))) return 0;
    return attributes & mask;
}

HIMAGELIST SystemImageList(bool small)
{
    SHFILEINFOA info{};
    UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(".", 0, &info, sizeof(info), flags));
}

int SystemIconOf(LPCITEMIDLIST absolute, UINT flags)
{
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_SYSICONINDEX | flags))
        return 0;
    return info.iIcon;
}

std::string TypeNameOf(LPCITEMIDLIST absolute)
{
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_TYPENAME))
        return {};
    return std::string(info.szTypeName, strnlen(info.szTypeName, sizeof(info.szTypeName)));
}

bool PathOfIdList(LPCITEMIDLIST absolute, std::string& path)
{
    path.clear();
    if (!absolute) return false;
    // Asked in UTF-16: the narrow answer turns a letter the code page lacks into a
    // look-alike, which names another folder ("café" would give "cafe").
    std::wstring real;
    if (!RealPathOfIdList(absolute, real)) return false;
    path = CodePageText(real);
    return true;
}

bool RealPathOfIdList(LPCITEMIDLIST absolute, std::wstring& path)
{
    path.clear();
    if (!absolute) return false;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListW(absolute, buffer)) return false;
    path = buffer;
    return true;
}
