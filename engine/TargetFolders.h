#pragma once
#include "engine/ExcludeMasks.h"
#include "engine/FileEntries.h"
#include "engine/FilePath.h"
#include "engine/FolderWalk.h"
#include "engine/PairChecks.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// What a run learns of the target side. Each target folder is read with one directory
// search when the run comes to its records, and that listing answers every record in
// it, paired by real name without regard to case, as the platform pairs names. With
// TargetOnly, whatever no record asked for becomes a record of its own (基準なし) when
// the run leaves the folder; a folder found only in the target brings every file below.
class TargetFolders {
public:
    // atFixedPoint is called between the records a target-only folder adds.
    TargetFolders(FilePath srcBase, FilePath desBase, bool targetOnly, ExclusionRule rule,
                  std::function<void()> atFixedPoint);
    // Before each record: leaves the folders the record is not in.
    void Reach(const FilePairEntry& entry);
    // The record's target, from its folder's listing, or looked up where none was read.
    FileFacts Find(const FilePairEntry& entry, const FilePath& targetPath);
    // After a folder record: its records will be answered from the target folder.
    void Open(const FilePairEntry& entry, const FileFacts& targetFolder);
    // Before the first record, when the reference folder is compared whole: the target
    // folder itself is listed like a folder record's.
    void OpenBase();
    // Leaves every folder (the end of the run).
    void Finish();

private:
    struct Item {
        std::wstring Name;
        DWORD Attributes;
        int64_t Size;
        uint64_t LastWrite;
        bool Matched;
    };
    enum class State { Unread, Read, Missing, Unlisted };
    struct Listing {
        std::string Rel;      // relative folder, ending with "\"
        std::wstring RealRel; // the same as the file system spells it
        State Status;
        std::vector<Item> Items;
        std::unordered_map<std::wstring, size_t> ByName; // upper-cased name -> item
    };
    void Read(Listing& listing);
    void Leave(Listing& listing);
    void AddTargetOnly(const std::string& rel, const std::wstring& realRel, const Item& item);
    void AddTargetOnlyTree(const std::string& rel, const std::wstring& realRel);
    std::wstring FolderPath(const std::wstring& realRel) const;

    FilePath srcBase_, desBase_;
    bool targetOnly_;
    ExclusionRule rule_;
    std::function<void()> atFixedPoint_;
    std::vector<Listing> open_; // the folders the run is in, outermost first
    WalkStack walk_;
};
