#pragma once
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shellapi.h>
// clang-format on

#include <string>

// The shell's item id lists and the two shell objects every browsing control shares.
// All id lists made here come from the shell allocator, zero-filled, and go back to it.

// The shell allocator and the desktop folder, obtained on first use (the desktop only
// when the allocator was obtained) and released by EndNamespace or at program end.
IMalloc* ShellMalloc();
IShellFolder* DesktopFolder();
void EndNamespace();

// The item after this one.
LPITEMIDLIST NextItem(LPCITEMIDLIST item);
// The item after this one, or null when this one or the next is the terminator.
LPITEMIDLIST NextItemOrNone(LPCITEMIDLIST item);
// Bytes of the whole list with its terminator; 0 for null.
UINT IdListSize(LPCITEMIDLIST list);
// A new single-item list of the first item; null for null.
LPITEMIDLIST CopyFirstItem(LPCITEMIDLIST list);
// A new list: first without its terminator, then second. Either may be null.
LPITEMIDLIST JoinIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
LPITEMIDLIST CopyIdList(LPCITEMIDLIST list);
void FreeIdList(LPCITEMIDLIST list);

// An 8-bit name of the system code page from any of the three STRRET forms; a UTF-16
// answer is freed. False (and "") for another form.
// With real, a name the code page cannot hold is kept there as well, as the shell spells it
// (left empty otherwise), for showing it.
bool StrRetToString(STRRET& answer, LPCITEMIDLIST item, std::string& text,
                    std::wstring* real = nullptr);
// Display name of a child of folder: SHGDN_NORMAL, SHGDN_INFOLDER or SHGDN_FORPARSING.
bool DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind, std::string& text,
                   std::wstring* real = nullptr);
std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind);
// The same in UTF-16, as the shell spells it; "" when it cannot be had.
bool StrRetToWide(STRRET& answer, LPCITEMIDLIST item, std::wstring& text);
std::wstring WideDisplayNameOf(IShellFolder* folder, LPCITEMIDLIST item, DWORD kind);

// A UTF-16 copy for the shell's name arguments, at most 259 characters. False for a
// longer text: a name cut short would name another object.
bool ToShellWide(const std::string& text, std::wstring& wide);
// The folder part of a path, up to and including its last "\" or ":" ("" without one).
std::string FolderPartOf(const std::string& path);

// The folder object of an absolute list, with a reference; null when it cannot be bound
// (the desktop's own empty list cannot).
IShellFolder* BindFolder(LPCITEMIDLIST absolute);
// The folder's own order of two children, read as a signed 16-bit code; -1 on failure.
int CompareItems(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b);
// Attributes asked of one child, limited to those in mask.
ULONG AttributesOf(IShellFolder* folder, LPCITEMIDLIST item, ULONG mask);

// The system icon lists and icon indexes of absolute lists.
HIMAGELIST SystemImageList(bool small);
int SystemIconOf(LPCITEMIDLIST absolute, UINT flags); // SHGFI_SMALLICON, SHGFI_OPENICON
std::string TypeNameOf(LPCITEMIDLIST absolute);
// File-system path of an absolute list; false for virtual folders.
bool PathOfIdList(LPCITEMIDLIST absolute, std::string& path);
// The same as the file system spells it (UTF-16).
bool RealPathOfIdList(LPCITEMIDLIST absolute, std::wstring& path);
