#pragma once
#include "engine/Collection.h"

#include <string>
#include <vector>
#include <windows.h>

// A folder compared whole, as if every item in it were selected: folders first, then
// files, each by name regardless of case, as a file list lists them. None of its items
// was picked by hand, so the masks apply to them as to everything below.
struct WholeFolder : ReferencePane {
    std::wstring Real; // without trailing "\" (a drive root keeps it)
    std::vector<std::wstring> Names;
    int32_t Excluded = 0; // items the masks left out
    DWORD Error = 0;      // why the folder could not be listed

    bool IsVirtualFolder() override { return false; }
    std::string GetSelectedPath() override;
    std::wstring GetSelectedRealPath() override { return Real; }
    int ItemCount() override { return static_cast<int>(Names.size()); }
    std::string ItemCaption(int index) override;
    std::wstring ItemRealName(int index) override { return Names[static_cast<size_t>(index)]; }
    bool ItemSelected(int) override { return true; }

    // Reads the folder's items into Names; false, with Error set, when it could not.
    bool List();
};

// The window program's collection of a folder compared whole: every item of it as it is
// now, not as a list last showed it, with the file-search window. False, after saying so,
// with nothing collected, when the folder is not there; read is false when it could not
// be read (then nothing of the target is only the target's: the run was not told what
// the reference holds).
bool CollectWholeFolder(const std::wstring& folder, bool& read);
