#pragma once
#include "engine/FileEntries.h"
#include "engine/FilePath.h"

#include <cstdint>
#include <string>

// What file collection reads of the reference pane: its folder tree's selection and
// its file list's items. The browsing controls provide it; tests give their own.
struct ReferencePane {
    virtual ~ReferencePane() = default;
    virtual bool IsVirtualFolder() = 0;
    virtual std::string GetSelectedPath() = 0;
    // The same as the file system spells it (UTF-16), "" when it has none.
    virtual std::wstring GetSelectedRealPath() = 0;
    virtual int ItemCount() = 0;
    virtual std::string ItemCaption(int index) = 0;
    // The item's name as the file system spells it (UTF-16), "" when it has none; the
    // caption cannot name an item whose name the code page does not hold.
    virtual std::wstring ItemRealName(int index) = 0;
    virtual bool ItemSelected(int index) = 0;
};

// Where collection says how far it is and learns whether to stop. The window program
// shows its search window and pumps messages; a console or a test gives its own.
struct CollectionProgress {
    virtual ~CollectionProgress() = default;
    // After each item of the pane: how far through the items, and the records so far.
    virtual void ItemDone(int percent, int32_t records) = 0;
    // Between records, where the window program lets messages through.
    virtual void AtFixedPoint() = 0;
    // Collection ends early, with the records so far, once this is true.
    virtual bool StopRequested() { return false; }
};

// Builds FileEntries from the pane's selection, reporting to progress.
void CollectFiles(ReferencePane& pane, CollectionProgress& progress);
// The same with the file-search progress window, the main window disabled meanwhile.
void CollectFiles(ReferencePane& pane);
// Adds records for everything under base + rel, depth first; rel ends with "\".
void SearchFolder(const std::string& base, const std::string& rel);
// The same below a folder that its code-page name does not reach: realRel is rel as the
// file system spells it, "" when rel reaches it. The folder's own record, when given, is
// marked not compared if the folder cannot be read.
void SearchFolder(const FilePath& base, const std::string& rel, const std::wstring& realRel,
                  CollectionProgress& progress, FilePairEntry* folderRecord = nullptr);
