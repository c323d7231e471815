#include "results/ResultRows.h"

#include "engine/Util.h"
#include "results/VerdictText.h"
#include "toolkit/CodePage.h"
#include "toolkit/LocaleText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace {
// Texts built once: sorting compares them millions of times.
template <typename Verdict, int Count> struct TextTable {
    std::string Texts[Count];
    explicit TextTable(std::string (*text)(Verdict))
    {
        for (int i = 0; i < Count; ++i)
            Texts[i] = text(static_cast<Verdict>(i));
    }
    const std::string& operator[](int code) const
    {
        static const std::string none;
        return code >= 0 && code < Count ? Texts[code] : none;
    }
};

const TextTable<DateVerdict, 7>& DateTexts()
{
    static const TextTable<DateVerdict, 7> table(DateVerdictText);
    return table;
}
const TextTable<SizeVerdict, 6>& SizeTexts()
{
    static const TextTable<SizeVerdict, 6> table(SizeVerdictText);
    return table;
}
const TextTable<ContentsVerdict, 9>& ContentsTexts()
{
    static const TextTable<ContentsVerdict, 9> table(ContentsVerdictText);
    return table;
}

// What the sort orders by at one depth: four bytes of a text from a given byte on, as
// one number, zero-padded (a text holds no zero byte, so two texts whose numbers differ
// compare as their numbers do). Small, because fresh memory is dear under Wine: every
// first touch of a page costs a fault.
struct SortItem {
    uint32_t Key;
    uint32_t Position; // in the order before the sort
};
constexpr size_t KeyBytes = 4;

uint32_t KeyAt(const std::string& text, size_t from)
{
    uint32_t key = 0;
    size_t end = std::min(text.size(), from + KeyBytes);
    for (size_t i = from; i < end; ++i)
        key |= static_cast<uint32_t>(static_cast<unsigned char>(text[i])) << (24 - 8 * (i - from));
    return key;
}

// Byte-wise from a given byte on; the bytes before it are known to be equal.
int CompareFrom(const std::string& a, const std::string& b, size_t from)
{
    size_t n = std::min(a.size(), b.size());
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a.data());
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b.data());
    for (size_t i = from; i < n; ++i)
        if (p[i] != q[i]) return p[i] < q[i] ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
} // namespace

const std::string& ResultRowText(const FilePairEntry& row, int column)
{
    switch (column) {
    case rcName:
        return row.Name;
    case rcFolder:
        return row.Folder;
    case rcDate:
        return DateTexts()[row.DateResult];
    case rcSize:
        return SizeTexts()[row.SizeResult];
    default:
        return ContentsTexts()[row.ContentsResult];
    }
}

std::wstring ResultRowRealText(const FilePairEntry& row, int column)
{
    if (row.RealPath.empty() || (column != rcName && column != rcFolder)) return {};
    // The real path is folder + name; a folder's own record has no name.
    size_t nameStart = row.RealPath.size();
    if (!row.Name.empty()) {
        size_t slash = row.RealPath.rfind(L'\\');
        nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    }
    return column == rcName ? row.RealPath.substr(nameStart) : row.RealPath.substr(0, nameStart);
}

std::string ResultValueText(const FilePairEntry& row, int column, bool plain)
{
    uint64_t key = ResultValueKey(row, column);
    if (key == 0) return {};
    if (column == rcSrcDate || column == rcDesDate) return LocalTimeText(key - 1, true);
    return plain ? std::to_string(key - 1) : ThousandsText(key - 1);
}

uint64_t ResultValueKey(const FilePairEntry& row, int column)
{
    // A folder's values are not what its verdicts speak of; a row only the target holds
    // has no reference file.
    if (row.IsFolder) return 0;
    const bool reference = column == rcSrcDate || column == rcSrcSize;
    if (reference ? !row.HasFacts || row.TargetOnly : !row.HasTargetFacts) return 0;
    switch (column) {
    case rcSrcDate:
        return row.LastWrite + 1;
    case rcDesDate:
        return row.TargetLastWrite + 1;
    case rcSrcSize:
        return static_cast<uint64_t>(row.Size) + 1;
    case rcDesSize:
        return static_cast<uint64_t>(row.TargetSize) + 1;
    }
    return 0;
}

std::string ResultCellText(const RunFolders& folders, const FilePairEntry& row, int column)
{
    if (IsValueColumn(column)) return ResultValueText(row, column);
    if (column == rcFolder && row.TargetOnly) return RowFolder(folders, row).Text;
    return ResultRowText(row, column);
}

std::wstring ResultCellRealText(const RunFolders& folders, const FilePairEntry& row, int column)
{
    if (column == rcFolder && row.TargetOnly) {
        FilePath folder = RowFolder(folders, row);
        return folder.Real.empty() ? std::wstring() : ShownPathForm(folder.Real);
    }
    return ResultRowRealText(row, column);
}

namespace {
// The folder a row's relative path starts from.
FilePath RowBase(const RunFolders& folders, const FilePairEntry& row)
{
    if (row.TargetOnly) return BasePath(folders.Des, folders.DesReal);
    return BasePath(folders.Src, folders.SrcReal);
}
} // namespace

FilePath RowFolder(const RunFolders& folders, const FilePairEntry& row)
{
    return RecordPath(RowBase(folders, row), row.Folder, "", ResultRowRealText(row, rcFolder));
}

FilePath RowPath(const RunFolders& folders, const FilePairEntry& row)
{
    FilePath path = RecordPath(RowBase(folders, row), row.Folder, row.Name, row.RealPath);
    // A sub-folder's real path ends with "\" as its code-page form does, so it reads as a
    // folder.
    if (row.IsFolder && !row.Name.empty() && !path.Real.empty() && path.Real.back() != L'\\')
        path.Real += L'\\';
    return path;
}

std::wstring RealFormOf(const FilePath& path)
{
    return path.Real.empty() ? WideOf(path.Text) : path.Real;
}

int CompareTexts(const std::string& a, const std::string& b)
{
    return CompareFrom(a, b, 0);
}

ResultRows ListedRows(const EntryList& entries, int count, bool mismatchesOnly)
{
    ResultRows rows;
    count = std::min(count, static_cast<int>(entries.size()));
    rows.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const FilePairEntry& e = entries[static_cast<size_t>(i)];
        if (mismatchesOnly && !IsListedWithMismatches(e)) continue;
        rows.push_back(&e);
    }
    return rows;
}

namespace {
// Stable radix sort of the items by their keys, least significant byte first; a byte in
// which all keys agree costs no pass.
void RadixSort(SortItem* items, SortItem* spare, size_t n)
{
    std::array<std::array<size_t, 256>, KeyBytes> counts{};
    for (size_t i = 0; i < n; ++i)
        for (size_t byte = 0; byte < KeyBytes; ++byte)
            ++counts[byte][(items[i].Key >> (8 * byte)) & 0xFF];
    for (size_t byte = 0; byte < KeyBytes; ++byte) {
        std::array<size_t, 256>& count = counts[byte];
        if (std::find(count.begin(), count.end(), n) != count.end()) continue;
        size_t start = 0;
        for (size_t& c : count) {
            size_t size = c;
            c = start;
            start += size;
        }
        for (size_t i = 0; i < n; ++i)
            spare[count[(items[i].Key >> (8 * byte)) & 0xFF]++] = items[i];
        std::copy(spare, spare + n, items);
    }
}

// Orders a run of items whose texts agree before byte from, keeping the order of equal
// texts: by a few bytes at a time, going deeper only where those agree and a text goes on.
template <typename TextOf>
void SortRun(const ResultRows& rows, const TextOf& textOf, int direction, SortItem* items,
             SortItem* spare, size_t n, size_t from)
{
    auto text = [&](const SortItem& item) -> const std::string& {
        return textOf(*rows[item.Position]);
    };
    if (n < 64) { // few: compared whole
        std::stable_sort(items, items + n, [&](const SortItem& a, const SortItem& b) {
            return CompareFrom(text(a), text(b), from) * direction < 0;
        });
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        uint32_t key = KeyAt(text(items[i]), from);
        items[i].Key = direction > 0 ? key : ~key;
    }
    RadixSort(items, spare, n);
    for (size_t first = 0; first < n;) {
        size_t end = first + 1;
        bool longer = text(items[first]).size() > from + KeyBytes;
        while (end < n && items[end].Key == items[first].Key)
            longer |= text(items[end++]).size() > from + KeyBytes;
        if (longer && end - first > 1)
            SortRun(rows, textOf, direction, items + first, spare, end - first, from + KeyBytes);
        first = end;
    }
}

// Orders the items by a column's 64-bit values: the low half, then (stable) the high half.
void SortByValue(const ResultRows& rows, int column, int direction, SortItem* items,
                 SortItem* spare, size_t n)
{
    for (int shift : {0, 32}) {
        for (size_t i = 0; i < n; ++i) {
            auto key =
                static_cast<uint32_t>(ResultValueKey(*rows[items[i].Position], column) >> shift);
            items[i].Key = direction > 0 ? key : ~key;
        }
        RadixSort(items, spare, n);
    }
}
} // namespace

void SortResultRows(ResultRows& rows, int column, int direction, const RunFolders* folders)
{
    // The work space stays from one sort to the next: fresh pages are the dearest part.
    static std::vector<SortItem> items, spare;
    const size_t n = rows.size();
    if (items.size() < n) {
        items.resize(n);
        spare.resize(n);
    }
    for (size_t i = 0; i < n; ++i)
        items[i].Position = static_cast<uint32_t>(i);
    if (IsValueColumn(column)) {
        SortByValue(rows, column, direction, items.data(), spare.data(), n);
    } else {
        // The whole folders the list shows for rows only the target holds, made once.
        std::unordered_map<const FilePairEntry*, std::string> shown;
        if (column == rcFolder && folders)
            for (const FilePairEntry* row : rows)
                if (row->TargetOnly) shown.emplace(row, ResultCellText(*folders, *row, column));
        auto textOf = [&](const FilePairEntry& row) -> const std::string& {
            if (row.TargetOnly && !shown.empty()) return shown.find(&row)->second;
            return ResultRowText(row, column);
        };
        SortRun(rows, textOf, direction, items.data(), spare.data(), n, 0);
    }
    // The rows in their new order, through the spare space as a copy of the old order.
    static std::vector<const FilePairEntry*> old;
    old.assign(rows.begin(), rows.end());
    for (size_t i = 0; i < n; ++i)
        rows[i] = old[items[i].Position];
}

ResultRows OpeningRows(const EntryList& entries, int count, bool mismatchesOnly)
{
    ResultRows rows = ListedRows(entries, count, mismatchesOnly);
    SortResultRows(rows, rcName, 1);
    return rows;
}
