#include "results/ResultRows.h"

#include "results/VerdictText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

const TextTable<DateVerdict, 6>& DateTexts()
{
    static const TextTable<DateVerdict, 6> table(DateVerdictText);
    return table;
}
const TextTable<SizeVerdict, 5>& SizeTexts()
{
    static const TextTable<SizeVerdict, 5> table(SizeVerdictText);
    return table;
}
const TextTable<ContentsVerdict, 5>& ContentsTexts()
{
    static const TextTable<ContentsVerdict, 5> table(ContentsVerdictText);
    return table;
}

// The first eight bytes of a text as one number, zero-padded: two texts whose numbers
// differ compare as their numbers do (a text holds no zero byte).
uint64_t LeadingBytes(const std::string& text)
{
    uint64_t key = 0;
    size_t n = std::min<size_t>(8, text.size());
    for (size_t i = 0; i < n; ++i)
        key |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << (56 - 8 * i);
    return key;
}

struct SortItem {
    uint64_t Key;
    uint32_t Position; // in the order before the sort, which decides between equal texts
};
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

int CompareTexts(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0; // memcmp compares unsigned bytes
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

ResultRows ListedRows(const EntryList& entries, int count, bool mismatchesOnly)
{
    ResultRows rows;
    count = std::min(count, static_cast<int>(entries.size()));
    rows.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const FilePairEntry& e = entries[static_cast<size_t>(i)];
        if (mismatchesOnly && !IsMismatch(e)) continue;
        rows.push_back(&e);
    }
    return rows;
}

void SortResultRows(ResultRows& rows, int column, int direction)
{
    // Sorted by the texts' leading bytes first, the whole texts only where those tie;
    // equal texts keep their order, as a stable sort keeps it.
    std::vector<SortItem> items(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        items[i] = {LeadingBytes(ResultRowText(*rows[i], column)), static_cast<uint32_t>(i)};
    std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        if (a.Key != b.Key) return direction > 0 ? a.Key < b.Key : a.Key > b.Key;
        int c = CompareTexts(ResultRowText(*rows[a.Position], column),
                             ResultRowText(*rows[b.Position], column));
        if (c != 0) return c * direction < 0;
        return a.Position < b.Position;
    });
    ResultRows sorted(rows.size());
    for (size_t i = 0; i < items.size(); ++i)
        sorted[i] = rows[items[i].Position];
    rows.swap(sorted);
}
