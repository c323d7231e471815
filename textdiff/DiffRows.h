#pragma once
#include "textdiff/LinePairing.h"
#include "textdiff/TextDiff.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How a row of the side-by-side view stands.
enum class RowKind : uint8_t {
    Same,    // a line on each side, equal (under the options)
    Changed, // a line on each side, different
    Removed, // a line of A only
    Added,   // a line of B only
};

// One row: the line shown on each side (NoLine for none) and the hunk it belongs to.
struct DiffRow {
    static constexpr size_t NoLine = SIZE_MAX;
    size_t Left = NoLine, Right = NoLine;
    RowKind Kind = RowKind::Same;
    size_t Hunk = NoLine; // NoLine outside every hunk
    bool Ignored = false; // in a hunk the options count for nothing
};

// The rows of the side-by-side view of a diff: equal lines side by side, and per hunk its
// lines paired from the top, the longer side's rest against nothing. Nothing is kept per
// row, so a million lines cost a few numbers per hunk (and a hunk laid out by likeness its
// rows).
class DiffRows {
public:
    DiffRows() = default;
    // layouts: per hunk, how its lines stand (PairHunkLines); an empty one, or none at all,
    // pairs them from the top.
    DiffRows(const TextDiffResult& diff, size_t aLines, size_t bLines,
             std::vector<std::vector<HunkRow>> layouts = {});

    size_t Count() const { return count_; }
    DiffRow At(size_t row) const;
    size_t HunkCount() const { return hunks_.size(); }
    const DiffHunk& Hunk(size_t hunk) const { return hunks_[hunk]; }
    size_t FirstRowOf(size_t hunk) const { return starts_[hunk]; }
    size_t RowsOf(size_t hunk) const;
    // The first row of the next (previous) hunk that is not ignored, after (before) the
    // hunk at or around a row; NoLine when there is none.
    size_t NextDifference(size_t row) const;
    size_t PreviousDifference(size_t row) const;
    // The row that shows a line of a side (0 A, 1 B).
    size_t RowOfLine(int side, size_t line) const;

private:
    std::vector<DiffHunk> hunks_;
    std::vector<std::vector<HunkRow>> layouts_; // empty, or one per hunk
    std::vector<size_t> starts_; // the first row of each hunk
    size_t count_ = 0;
    // The last hunk starting at or before the row; NoLine when none does.
    size_t HunkAtOrBefore(size_t row) const;
};
