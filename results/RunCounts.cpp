#include "results/RunCounts.h"

#include <algorithm>

RunCounts CountRecords(const EntryList& entries, int32_t count)
{
    RunCounts counts;
    count = std::min(count, static_cast<int32_t>(entries.size()));
    for (int32_t i = 0; i < count; ++i) {
        const FilePairEntry& e = entries[static_cast<size_t>(i)];
        if (IsFolderRecord(e)) continue;
        ++counts.Files;
        if (e.TargetOnly)
            ++counts.DesOnly;
        else if (e.NotCompared)
            ++counts.Uncompared;
        else if (e.DateResult == dvNotFound || e.SizeResult == svNotFound ||
                 e.ContentsResult == cvNotFound)
            ++counts.SrcOnly;
        else if (IsMismatch(e))
            ++counts.Changed;
    }
    counts.Mismatches = counts.Changed + counts.SrcOnly + counts.DesOnly;
    return counts;
}
