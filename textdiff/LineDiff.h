#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Where the cost cap cut a search short: the changes marked inside it may be more than
// the fewest. Element ranges of the two sequences, end exclusive.
struct ApproximateRange {
    size_t XBegin, XEnd, YBegin, YEnd;
};

// Which elements of two sequences are outside a longest common subsequence.
struct SequenceDiff {
    std::vector<uint8_t> XChanged, YChanged; // 1 for an element no match pairs
    std::vector<ApproximateRange> Approximate;
};

// The cost cap for sequences of these lengths, as GNU diff sets it: about the square
// root of their total, at least 4096.
int DefaultCostCap(size_t xLength, size_t yLength);

// Myers' O(ND) difference in linear space over class numbers (equal numbers, equal
// elements; numbers below classCount). Elements whose class the other sequence lacks
// are changed at once; the common start and end are trimmed before each search. A
// search past costCap steps takes the furthest-reaching split instead and notes its
// range as approximate. Without that, the changes are the fewest there are.
SequenceDiff DiffSequences(const std::vector<int32_t>& x, const std::vector<int32_t>& y,
                           size_t classCount, int costCap = 0);

// The same over 64-bit hashes, equal hashes taken for equal elements: the caller checks
// the pairs left unchanged. Elements whose hash the other side surely lacks are changed
// at once. No table of classes is built, so long files cost one pass and the search; the
// hashes are let go as soon as the search has its own.
SequenceDiff DiffHashes(std::vector<uint64_t> x, std::vector<uint64_t> y, int costCap = 0);
