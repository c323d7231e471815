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
// it, paired by real name without regard to case, as the platform pairs names: a file
// with a file, a folder with a folder. Where a folder holds names that differ only in
// case (a Linux share, a case-sensitive folder), the exact name wins; with several and
// none exact the record is not compared rather than paired with a guess. With
// TargetOnly, whatever no record asked for becomes a record of its own (基準なし) when
// the run leaves the folder; a folder found only in the target brings every file below.
// The lookup error of a record whose target cannot be told among names that differ only
// in case (an application's own code: bit 29 set).
constexpr DWORD ErrorCaseVariants = 0x20000001;

class TargetFolders {
public:
    // atFixedPoint is called between the records a target-only folder adds.
    TargetFolders(FilePath desBase, bool targetOnly, ExclusionRule rule,
                  std::function<void()> atFixedPoint);
    // Before each record: leaves the folders the record is not in.
    void Reach(const FilePairEntry& entry);
    // The record's target, from its folder's listing, or looked up where none was read.
    // targetPath becomes the path of the file found when its name differs in case, so
    // that the contents are read from the file whose date and size were taken.
    FileFacts Find(const FilePairEntry& entry, FilePath& targetPath);
    // After a folder record: its records will be answered from the target folder found
    // (targetPath as Find left it).
    void Open(const FilePairEntry& entry, const FileFacts& targetFolder,
              const FilePath& targetPath);
    // Before the first record: the target folder itself is listed like a folder
    // record's, to answer the selected items. Only when the reference folder is compared
    // whole does what only the target holds there become records.
    void OpenBase(bool whole);
    // Leaves every folder (the end of the run).
    void Finish();

private:
    struct Item {
        std::wstring Name;
        DWORD Attributes;
        int64_t Size;
        uint64_t LastWrite;
        bool Matched;
        size_t NextVariant; // the next item whose name differs only in case, or NoItem
    };
    static constexpr size_t NoItem = static_cast<size_t>(-1);
    // Ambiguous: several target folders differ from the record's only in case.
    enum class State { Unread, Read, Missing, Unlisted, Ambiguous };
    struct Listing {
        std::string Rel;      // relative folder, ending with "\"
        std::wstring RealRel; // the same as the file system spells it
        std::wstring DesFolder; // the target folder's full path, ending with "\"
        State Status;
        bool AnswerOnly = false; // leaving it adds no target-only records
        std::vector<Item> Items;
        std::unordered_map<std::wstring, size_t> ByName; // upper-cased name -> first item
    };
    Item* Pair(Listing& listing, const FilePairEntry& entry, bool& ambiguous);
    void Read(Listing& listing);
    void Leave(Listing& listing);
    void AddTargetOnly(const std::string& rel, const std::wstring& realRel,
                       const std::wstring& desFolder, const Item& item);
    void AddTargetOnlyTree(const std::string& rel, const std::wstring& realRel,
                           const std::wstring& folder);
    std::wstring FolderPath(const std::wstring& realRel) const;

    FilePath desBase_;
    bool targetOnly_;
    ExclusionRule rule_;
    std::function<void()> atFixedPoint_;
    std::vector<Listing> open_; // the folders the run is in, outermost first
    WalkStack walk_;
};
