#include "textdiff/DiffRows.h"

#include <algorithm>
#include <utility>

DiffRows::DiffRows(const TextDiffResult& diff, size_t aLines, size_t /*bLines*/,
                   std::vector<std::vector<HunkRow>> layouts)
    : hunks_(diff.Hunks), layouts_(std::move(layouts))
{
    if (layouts_.size() != hunks_.size()) layouts_.clear();
    starts_.reserve(hunks_.size());
    size_t extra = 0; // rows before a hunk beyond the lines of A before it
    for (size_t k = 0; k < hunks_.size(); ++k) {
        starts_.push_back(hunks_[k].A0 + extra);
        extra += RowsOf(k) - hunks_[k].ACount;
    }
    count_ = aLines + extra;
}

size_t DiffRows::RowsOf(size_t hunk) const
{
    if (!layouts_.empty() && !layouts_[hunk].empty()) return layouts_[hunk].size();
    return std::max(hunks_[hunk].ACount, hunks_[hunk].BCount);
}

size_t DiffRows::HunkAtOrBefore(size_t row) const
{
    auto after = std::upper_bound(starts_.begin(), starts_.end(), row);
    if (after == starts_.begin()) return DiffRow::NoLine;
    return static_cast<size_t>(after - starts_.begin()) - 1;
}

DiffRow DiffRows::At(size_t row) const
{
    DiffRow r;
    size_t k = HunkAtOrBefore(row);
    if (k == DiffRow::NoLine) {
        r.Left = r.Right = row;
        return r;
    }
    const DiffHunk& hunk = hunks_[k];
    size_t offset = row - starts_[k];
    if (offset < RowsOf(k)) {
        r.Hunk = k;
        r.Ignored = hunk.Ignored;
        if (!layouts_.empty() && !layouts_[k].empty()) {
            const HunkRow& laid = layouts_[k][offset];
            if (laid.Left != HunkRow::NoSide) r.Left = hunk.A0 + static_cast<size_t>(laid.Left);
            if (laid.Right != HunkRow::NoSide) r.Right = hunk.B0 + static_cast<size_t>(laid.Right);
        } else {
            if (offset < hunk.ACount) r.Left = hunk.A0 + offset;
            if (offset < hunk.BCount) r.Right = hunk.B0 + offset;
        }
        r.Kind = r.Left == DiffRow::NoLine    ? RowKind::Added
                 : r.Right == DiffRow::NoLine ? RowKind::Removed
                                              : RowKind::Changed;
        return r;
    }
    offset -= RowsOf(k);
    r.Left = hunk.A0 + hunk.ACount + offset;
    r.Right = hunk.B0 + hunk.BCount + offset;
    return r;
}

size_t DiffRows::NextDifference(size_t row) const
{
    size_t k = HunkAtOrBefore(row);
    for (k = k == DiffRow::NoLine ? 0 : k + 1; k < hunks_.size(); ++k)
        if (!hunks_[k].Ignored) return starts_[k];
    return DiffRow::NoLine;
}

size_t DiffRows::PreviousDifference(size_t row) const
{
    size_t k = HunkAtOrBefore(row);
    if (k == DiffRow::NoLine) return DiffRow::NoLine;
    // From inside or at the start of a hunk, the one before it.
    if (row < starts_[k] + RowsOf(k)) {
        if (k == 0) return DiffRow::NoLine;
        --k;
    }
    for (size_t i = k + 1; i-- > 0;)
        if (!hunks_[i].Ignored) return starts_[i];
    return DiffRow::NoLine;
}

size_t DiffRows::RowOfLine(int side, size_t line) const
{
    // The hunks in order of their lines on that side, as they are in order of rows.
    auto before = std::upper_bound(hunks_.begin(), hunks_.end(), line,
                                   [side](size_t l, const DiffHunk& h) {
                                       return l < (side == 0 ? h.A0 : h.B0);
                                   });
    if (before == hunks_.begin()) return line;
    size_t k = static_cast<size_t>(before - hunks_.begin()) - 1;
    const DiffHunk& hunk = hunks_[k];
    size_t first = side == 0 ? hunk.A0 : hunk.B0, count = side == 0 ? hunk.ACount : hunk.BCount;
    if (line < first + count) {
        if (!layouts_.empty() && !layouts_[k].empty()) {
            const std::vector<HunkRow>& laid = layouts_[k];
            for (size_t row = 0; row < laid.size(); ++row)
                if ((side == 0 ? laid[row].Left : laid[row].Right) ==
                    static_cast<int32_t>(line - first))
                    return starts_[k] + row;
        }
        return starts_[k] + (line - first);
    }
    return starts_[k] + RowsOf(k) + (line - first - count);
}
