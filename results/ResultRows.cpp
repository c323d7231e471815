#include "results/ResultRows.h"

#include "results/VerdictText.h"

#include <algorithm>
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
} // namespace

const std::string& ResultRowText(const ResultRow& row, int column)
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

std::vector<ResultRow> ListedRows(const std::vector<FilePairEntry>& entries, int count,
                                  bool mismatchesOnly)
{
    std::vector<ResultRow> rows;
    count = std::min(count, static_cast<int>(entries.size()));
    for (int i = 0; i < count; ++i) {
        const FilePairEntry& e = entries[static_cast<size_t>(i)];
        if (mismatchesOnly && !IsMismatch(e)) continue;
        rows.push_back({e.Name, e.Folder, e.DateResult, e.SizeResult, e.ContentsResult, i});
    }
    return rows;
}

void SortResultRows(std::vector<ResultRow>& rows, int column, int direction)
{
    std::stable_sort(
        rows.begin(), rows.end(), [column, direction](const ResultRow& a, const ResultRow& b) {
            return CompareTexts(ResultRowText(a, column), ResultRowText(b, column)) * direction < 0;
        });
}
