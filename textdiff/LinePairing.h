#pragma once
#include "textdiff/TextDiff.h"

#include <cstdint>
#include <string>
#include <vector>

// One row of a hunk in the side-by-side view: the offset of the line shown on each side
// within the hunk, or NoSide.
struct HunkRow {
    static constexpr int32_t NoSide = -1;
    int32_t Left, Right;
};

// How a hunk's lines stand side by side: lines that resemble each other (half or more of
// their pairs of adjacent characters in common) face each other, in order, so that a line
// changed beside new ones stands next to its new form; between two such pairs the lines
// pair off from the top and the longer side's rest faces nothing. Hunks of more than
// MaxPairedLines lines on a side keep the plain top-down pairing (an empty result).
std::vector<HunkRow> PairHunkLines(const std::vector<std::wstring>& a,
                                   const std::vector<std::wstring>& b);
constexpr size_t MaxPairedLines = 200;

// How much two lines resemble each other, 0 to 1: shared pairs of adjacent characters.
double LineLikeness(const std::wstring& a, const std::wstring& b);

// The layout of every hunk of a diff that has lines on both sides (empty for the others),
// the lines read as the options read them.
std::vector<std::vector<HunkRow>> LayOutHunks(const TextFile& a, const TextFile& b,
                                              const TextDiffResult& diff,
                                              const TextOptions& options);
