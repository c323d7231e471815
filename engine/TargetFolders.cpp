#include "engine/TargetFolders.h"

#include "toolkit/CodePage.h"

#include <cwchar>
#include <utility>

namespace {
// The folder a record lies in: "" for what the user selected at the top.
std::string ParentRel(const FilePairEntry& entry)
{
    return entry.Name.empty() ? std::string() : entry.Folder;
}

bool IsPrefix(const std::string& prefix, const std::string& text)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

FileFacts NotThere(DWORD error)
{
    FileFacts facts;
    facts.Error = error;
    return facts;
}
} // namespace

TargetFolders::TargetFolders(FilePath desBase, bool targetOnly,
                             ExclusionRule rule, std::function<void()> atFixedPoint)
    : desBase_(std::move(desBase)), targetOnly_(targetOnly),
      rule_(std::move(rule)), atFixedPoint_(std::move(atFixedPoint))
{
}

std::wstring TargetFolders::FolderPath(const std::wstring& realRel) const
{
    return (desBase_.Real.empty() ? WideOf(desBase_.Text) : desBase_.Real) + realRel;
}

void TargetFolders::Reach(const FilePairEntry& entry)
{
    std::string parent = ParentRel(entry);
    while (!open_.empty() && !IsPrefix(open_.back().Rel, parent)) {
        Leave(open_.back());
        open_.pop_back();
    }
}

void TargetFolders::Read(Listing& listing)
{
    DWORD error = 0;
    auto keep = [&](const FoundEntry& found) {
        // Names that differ only in case are chained from the first one seen.
        auto [first, added] = listing.ByName.emplace(FoldedName(found.Name), listing.Items.size());
        size_t next = NoItem;
        if (!added) {
            next = first->second;
            first->second = listing.Items.size();
        }
        listing.Items.push_back(
            {found.Name, found.Attributes, found.Size, found.LastWrite, false, next});
        return true;
    };
    listing.Status = State::Read;
    if (ListFolder(listing.DesFolder, keep, error)) {
        // What the masks leave out of the target is counted where the target is read;
        // around the selected items nothing is, as nothing there was asked for.
        if (!listing.AnswerOnly)
            for (const Item& item : listing.Items)
                if (rule_.Excludes(item.Name, (item.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
                    ++ExcludedTargetCount;
        return;
    }
    // Gone since its folder record was looked at: what is in it is not found. A folder
    // that cannot be listed is left to lookups of its records, as before any listing.
    listing.Items.clear();
    listing.ByName.clear();
    if (!IsReadFailure(error)) {
        listing.Status = State::Missing;
    } else {
        listing.Status = State::Unlisted;
        if (targetOnly_ && !listing.AnswerOnly) ++UnreadableFolderCount;
    }
}

TargetFolders::Item* TargetFolders::Pair(Listing& listing, const FilePairEntry& entry,
                                         bool& ambiguous)
{
    const std::wstring name = RealNameOf(entry);
    auto first = listing.ByName.find(FoldedName(name));
    if (first == listing.ByName.end()) return nullptr;
    // A file pairs with a file and a folder with a folder: a name of the other kind is
    // not this record's target (with TargetOnly it becomes a record of its own).
    const bool folder = entry.IsFolder || entry.Name.empty();
    Item* variant = nullptr;
    int variants = 0;
    for (size_t i = first->second; i != NoItem; i = listing.Items[i].NextVariant) {
        Item& item = listing.Items[i];
        if (((item.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) continue;
        if (item.Name == name) return &item;
        variant = &item;
        ++variants;
    }
    if (variants < 2) return variant;
    // None is the record's own name: each may be it, so none is only in the target.
    ambiguous = true;
    for (size_t i = first->second; i != NoItem; i = listing.Items[i].NextVariant)
        if (((listing.Items[i].Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder)
            listing.Items[i].Matched = true;
    return nullptr;
}

FileFacts TargetFolders::Find(const FilePairEntry& entry, FilePath& targetPath)
{
    if (open_.empty() || open_.back().Rel != ParentRel(entry)) return LookUpFile(targetPath);
    Listing& listing = open_.back();
    if (listing.Status == State::Unread) Read(listing);
    if (listing.Status == State::Missing) return NotThere(ERROR_PATH_NOT_FOUND);
    if (listing.Status == State::Ambiguous) return NotThere(ErrorCaseVariants);
    if (listing.Status == State::Unlisted) return LookUpFile(targetPath);
    bool ambiguous = false;
    Item* item = Pair(listing, entry, ambiguous);
    if (ambiguous) {
        ++CaseVariantCount;
        return NotThere(ErrorCaseVariants);
    }
    if (!item) return NotThere(ERROR_FILE_NOT_FOUND);
    item->Matched = true;
    if (item->Name != RealNameOf(entry)) {
        std::string form;
        CodePageForm(item->Name, form);
        const bool subFolder = !entry.Name.empty() && entry.IsFolder;
        targetPath = FilePath(desBase_.Text + (entry.Name.empty() ? "" : entry.Folder) + form +
                                  (subFolder ? "\\" : ""),
                              listing.DesFolder + item->Name + (subFolder ? L"\\" : L""));
    }
    return FoundFacts(item->Attributes, item->Size, item->LastWrite);
}

void TargetFolders::Open(const FilePairEntry& entry, const FileFacts& targetFolder,
                         const FilePath& targetPath)
{
    Listing listing;
    listing.Rel = entry.Folder + entry.Name;
    listing.RealRel = entry.RealPath.empty() ? WideOf(listing.Rel) : entry.RealPath;
    if (listing.RealRel.back() != L'\\') listing.RealRel += L'\\';
    listing.DesFolder = targetPath.Real.empty() ? WideOf(targetPath.Text) : targetPath.Real;
    if (listing.DesFolder.empty() || listing.DesFolder.back() != L'\\') listing.DesFolder += L'\\';
    if (targetFolder.IsFolder())
        listing.Status = State::Unread; // read when first needed
    else if (targetFolder.Error == ErrorCaseVariants)
        listing.Status = State::Ambiguous;
    else if (targetFolder.Unreachable())
        listing.Status = State::Unlisted;
    else
        listing.Status = State::Missing; // not there, or a file
    open_.push_back(std::move(listing));
}

void TargetFolders::OpenBase(bool whole)
{
    Listing listing;
    listing.Status = State::Unread;
    listing.AnswerOnly = !whole;
    listing.DesFolder = FolderPath(L"");
    open_.push_back(std::move(listing));
}

void TargetFolders::Finish()
{
    while (!open_.empty()) {
        Leave(open_.back());
        open_.pop_back();
    }
}

void TargetFolders::Leave(Listing& listing)
{
    if (listing.AnswerOnly) return;
    if (listing.Status == State::Unread) Read(listing);
    if (listing.Status != State::Read) return;
    if (!targetOnly_) {
        // Not listed, but never passed over in silence: counted for the end of the run.
        for (const Item& item : listing.Items) {
            bool isFolder = (item.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (item.Matched || rule_.Excludes(item.Name, isFolder)) continue;
            ++(isFolder ? UnlistedTargetFolders : UnlistedTargetFiles);
        }
        return;
    }
    // The folders the run is in make the walk that target-only links must not lead into.
    walk_ = WalkStack();
    walk_.PushWithAncestors(FolderPath(L""));
    for (const Listing& open : open_)
        walk_.Push(open.DesFolder);
    for (const Item& item : listing.Items)
        if (!item.Matched &&
            !rule_.Excludes(item.Name, (item.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
            AddTargetOnly(listing.Rel, listing.RealRel, listing.DesFolder, item);
}

void TargetFolders::AddTargetOnly(const std::string& rel, const std::wstring& realRel,
                                  const std::wstring& desFolder, const Item& item)
{
    std::string name;
    std::wstring realPath;
    if (!CodePageForm(item.Name, name) || WideOf(rel) != realRel || NeedsExactName(item.Name))
        realPath = realRel + item.Name;
    bool isFolder = (item.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (AddTargetOnlyEntry(isFolder ? name + "\\" : name, rel, realPath, isFolder) && !isFolder) {
        FilePairEntry& entry = FileEntries.back();
        entry.HasTargetFacts = true;
        entry.TargetSize = item.Size;
        entry.TargetLastWrite = item.LastWrite;
    }
    if (!isFolder || IsUnreachableName(item.Name)) return;
    std::wstring childRel = (realPath.empty() ? realRel + item.Name : realPath) + L"\\";
    std::wstring folder = desFolder + item.Name + L"\\";
    // A link back up into the walk is listed but not entered.
    if ((item.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) && walk_.LeadsBack(folder)) {
        ++LoopedLinkCount;
        return;
    }
    AddTargetOnlyTree(rel + name + "\\", childRel, folder);
}

void TargetFolders::AddTargetOnlyTree(const std::string& rel, const std::wstring& realRel,
                                      const std::wstring& folder)
{
    walk_.Push(folder);
    DWORD error = 0;
    auto add = [&](const FoundEntry& found) {
        bool isFolder = found.IsFolder();
        if (rule_.Excludes(found.Name, isFolder)) {
            ++ExcludedTargetCount;
            return true;
        }
        if (atFixedPoint_) atFixedPoint_();
        AddTargetOnly(rel, realRel, folder,
                      {found.Name, found.Attributes, found.Size, found.LastWrite, false, NoItem});
        return true;
    };
    if (!ListFolder(folder, add, error) && IsReadFailure(error)) ++UnreadableFolderCount;
    walk_.Pop();
}
