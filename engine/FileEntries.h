#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum DateVerdict : uint8_t {
    dvSame = 0,
    dvNotCompared = 1,
    dvOSError = 2, // one 2-second step apart
    dvNewer = 3,
    dvOlder = 4,
    dvNotFound = 5,
    dvNoReference = 6, // only in the target: nothing to compare it with
};

enum SizeVerdict : uint8_t {
    svSame = 0,
    svNotCompared = 1,
    svLarger = 2,
    svSmaller = 3,
    svNotFound = 4,
    svNoReference = 5,
};

enum ContentsVerdict : uint8_t {
    cvSame = 0,
    cvNotCompared = 1,
    cvDiffer = 2,
    cvNotFound = 3,
    cvInUse = 4,
    cvNoReference = 5,
    // Bytes differ, but the text rule (opt-in) finds the texts equal: no mismatch, and
    // never 一致 either.
    cvEolOnly = 6,      // only the line endings differ
    cvEncodingOnly = 7, // the same text in another encoding (or byte-order mark)
    cvEquivalent = 8,   // equal under the rule's other options
};

// A contents verdict of the text rule: the texts are equal only as the rule reads them.
inline bool IsTextEquivalence(ContentsVerdict verdict)
{
    return verdict == cvEolOnly || verdict == cvEncodingOnly || verdict == cvEquivalent;
}

// One file or folder found on the reference side (or, with TargetOnly, only on the
// target side). Name and Folder are kept whole: a name cut short would no longer name
// its file.
struct FilePairEntry {
    std::string Name;    // empty for a folder the user selected; a sub-folder's ends with "\"
    std::string Folder;  // relative folder: empty or ending with "\"
    // Folder + Name as the file system spells them, kept only when Name or Folder (in the
    // code page, "?" for what it cannot hold) does not name the file itself.
    std::wstring RealPath{};
    DateVerdict DateResult = dvSame;
    SizeVerdict SizeResult = svSame;
    ContentsVerdict ContentsResult = cvSame;
    bool NotCompared = false; // could not be compared (see MarkNotCompared)
    bool IsFolder = false;    // the record of a folder
    bool TargetOnly = false;  // found only in the target: 基準なし in every check
    // The reference's size and last-write time (UTC, 100 ns units) as the search that
    // found it reported them, so the run need not look the file up again; after the run,
    // as the run found them.
    bool HasFacts = false;
    // The same of the target's file, as the run found it (none when it is missing).
    bool HasTargetFacts = false;
    int64_t Size = 0;
    uint64_t LastWrite = 0;
    int64_t TargetSize = 0;
    uint64_t TargetLastWrite = 0;
};

// Any code above 1 is a mismatch; a switched-off check never is, nor texts the text rule
// finds equal.
inline bool IsMismatch(const FilePairEntry& e)
{
    return e.DateResult > 1 || e.SizeResult > 1 ||
           (e.ContentsResult > 1 && !IsTextEquivalence(e.ContentsResult));
}

// The records a list of mismatches shows: the mismatches, and the pairs equal only under
// the text rule, which are never passed over in silence.
inline bool IsListedWithMismatches(const FilePairEntry& e)
{
    return IsMismatch(e) || IsTextEquivalence(e.ContentsResult);
}

constexpr int EntryGrowStep = 1000;
constexpr int MaxEntryCount = 200000;  // the list holds at most MaxEntryCount + 1 records

// The records of a run, kept in blocks of EntryGrowStep records. A block once made never
// moves, so growing the list copies nothing and a record stays where it was put until
// the list is released; the capacity is always a whole number of blocks.
class EntryList {
public:
    FilePairEntry& operator[](size_t i) { return blocks_[i / EntryGrowStep][i % EntryGrowStep]; }
    const FilePairEntry& operator[](size_t i) const
    {
        return blocks_[i / EntryGrowStep][i % EntryGrowStep];
    }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    size_t capacity() const { return blocks_.size() * EntryGrowStep; }
    FilePairEntry& back() { return (*this)[size_ - 1]; }
    const FilePairEntry& back() const { return (*this)[size_ - 1]; }

    // Adds blocks until at least count records fit.
    void reserve(size_t count);
    // Puts the record in the next place; the capacity must already hold it.
    void push_back(FilePairEntry&& entry) { (*this)[size_++] = std::move(entry); }
    // Drops every record and block.
    void clear();

    template <typename List, typename Entry> struct Iterator {
        List* list;
        size_t index;
        Entry& operator*() const { return (*list)[index]; }
        Entry* operator->() const { return &(*list)[index]; }
        Iterator& operator++()
        {
            ++index;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index != other.index; }
        bool operator==(const Iterator& other) const { return index == other.index; }
    };
    using iterator = Iterator<EntryList, FilePairEntry>;
    using const_iterator = Iterator<const EntryList, const FilePairEntry>;
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size_}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

private:
    std::vector<std::unique_ptr<FilePairEntry[]>> blocks_;
    size_t size_ = 0;
};

// The records of one compare command and its counters.
extern EntryList FileEntries;  // capacity follows the grow rule
extern int32_t EntryCount;
extern int32_t MismatchCount;
extern bool RunCancelled;
// Set when AddEntry refused a record because the list was full.
extern bool EntriesDropped;
// Records that could not be compared, and folders that could not be listed, since
// the start of collection; the end of a run reports them.
extern int32_t UncomparedCount;
extern int32_t UnreadableFolderCount;
// Files and folders the exclusion masks left out on the reference side and on the
// target side, and folder links not entered because they lead back into a folder being
// searched.
extern int32_t ExcludedCount;
extern int32_t ExcludedTargetCount;
extern int32_t LoopedLinkCount;
// Records not compared because the target holds several names that differ from theirs
// only in case, none of them exactly theirs.
extern int32_t CaseVariantCount;
// Files whose contents could not be read (使用中), by why: no right to read them, held by
// another program.
extern int32_t DeniedCount;
extern int32_t LockedCount;
// With TargetOnly off, what only the target holds in the folders the run read (a folder
// counts once, whatever it holds), so that it is said.
extern int32_t UnlistedTargetFiles;
extern int32_t UnlistedTargetFolders;
// The records the run went through before it ended or was cancelled.
extern int32_t ReachedCount;

// Empties the list and gives it its first capacity (start of collection).
void ResetEntries();
// Appends a record with all verdicts 0; ignored once the list is full (false then).
bool AddEntry(const std::string& name, const std::string& folder);
// The same for a record whose code-page name does not reach its file.
bool AddEntry(const std::string& name, const std::string& folder, std::wstring realPath);
// A record whose files could not be reached (gone, path too long, name unreachable,
// lookup error): "－" for every check, which is no mismatch, and counted once.
void MarkNotCompared(FilePairEntry& entry);
// A folder record whose folder could not be read (counted as such, not again here): "－"
// for every check, so that what was not looked at never reads as a match.
void MarkUnread(FilePairEntry& entry);
// Appends a record of what only the target holds (基準なし, a mismatch); false when the
// list is full.
bool AddTargetOnlyEntry(const std::string& name, const std::string& folder, std::wstring realPath,
                        bool isFolder);
// The record's name as the file system spells it, without a folder's trailing "\".
std::wstring RealNameOf(const FilePairEntry& entry);
// The records of the run whose texts the text rule found equal.
int32_t TextEquivalenceCount();
// Releases the whole list at the end of a compare command.
void ReleaseEntries();
