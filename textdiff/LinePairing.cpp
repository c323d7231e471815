#include "textdiff/LinePairing.h"

#include <algorithm>

namespace {
const double Alike = 0.5;

// The pairs of adjacent characters of a line, sorted (single characters for a line of one).
std::vector<uint32_t> PairsOf(const std::wstring& text)
{
    std::vector<uint32_t> pairs;
    if (text.size() == 1) pairs.push_back(text[0]);
    for (size_t i = 0; i + 1 < text.size(); ++i)
        pairs.push_back((static_cast<uint32_t>(text[i]) << 16) | text[i + 1]);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

double Likeness(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.empty() || b.empty()) return a.empty() && b.empty() ? 1.0 : 0.0;
    size_t common = 0;
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        if (a[i] < b[j]) {
            ++i;
        } else if (b[j] < a[i]) {
            ++j;
        } else {
            ++common;
            ++i;
            ++j;
        }
    }
    return 2.0 * static_cast<double>(common) / static_cast<double>(a.size() + b.size());
}

// The lines between two facing pairs, paired from the top.
void AddGap(std::vector<HunkRow>& rows, int32_t aFrom, int32_t aTo, int32_t bFrom, int32_t bTo)
{
    for (int32_t k = 0; aFrom + k < aTo || bFrom + k < bTo; ++k)
        rows.push_back({aFrom + k < aTo ? aFrom + k : HunkRow::NoSide,
                        bFrom + k < bTo ? bFrom + k : HunkRow::NoSide});
}
} // namespace

double LineLikeness(const std::wstring& a, const std::wstring& b)
{
    return Likeness(PairsOf(a), PairsOf(b));
}

std::vector<HunkRow> PairHunkLines(const std::vector<std::wstring>& a,
                                   const std::vector<std::wstring>& b)
{
    std::vector<HunkRow> rows;
    if (a.empty() || b.empty() || a.size() > MaxPairedLines || b.size() > MaxPairedLines)
        return rows;
    std::vector<std::vector<uint32_t>> aPairs, bPairs;
    for (const std::wstring& line : a)
        aPairs.push_back(PairsOf(line));
    for (const std::wstring& line : b)
        bPairs.push_back(PairsOf(line));
    // The facing pairs in order with the most likeness in all (a weighted common
    // subsequence), from the ends backwards so that the walk below goes forwards.
    const size_t n = a.size(), m = b.size();
    std::vector<double> score((n + 1) * (m + 1), 0.0);
    std::vector<double> like(n * m, 0.0);
    auto at = [m](size_t i, size_t j) { return i * (m + 1) + j; };
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;) {
            double l = Likeness(aPairs[i], bPairs[j]);
            like[i * m + j] = l;
            double best = std::max(score[at(i + 1, j)], score[at(i, j + 1)]);
            if (l >= Alike) best = std::max(best, score[at(i + 1, j + 1)] + l);
            score[at(i, j)] = best;
        }
    int32_t i = 0, j = 0, gapA = 0, gapB = 0;
    while (static_cast<size_t>(i) < n && static_cast<size_t>(j) < m) {
        double l = like[static_cast<size_t>(i) * m + static_cast<size_t>(j)];
        if (l >= Alike && score[at(i, j)] == score[at(i + 1, j + 1)] + l) {
            AddGap(rows, gapA, i, gapB, j);
            rows.push_back({i, j});
            gapA = ++i;
            gapB = ++j;
        } else if (score[at(i, j)] == score[at(i + 1, j)]) {
            ++i;
        } else {
            ++j;
        }
    }
    AddGap(rows, gapA, static_cast<int32_t>(n), gapB, static_cast<int32_t>(m));
    return rows;
}

std::vector<std::vector<HunkRow>> LayOutHunks(const TextFile& a, const TextFile& b,
                                              const TextDiffResult& diff,
                                              const TextOptions& options)
{
    std::vector<std::vector<HunkRow>> layouts(diff.Hunks.size());
    auto lines = [&options](const TextFile& file, size_t first, size_t count) {
        std::vector<std::wstring> texts(count);
        for (size_t i = 0; i < count; ++i) {
            file.DecodeLine(first + i, texts[i]);
            ApplyCharacterRules(options, texts[i]);
        }
        return texts;
    };
    for (size_t k = 0; k < diff.Hunks.size(); ++k) {
        const DiffHunk& hunk = diff.Hunks[k];
        if (hunk.Ignored || hunk.ACount == 0 || hunk.BCount == 0 ||
            hunk.ACount > MaxPairedLines || hunk.BCount > MaxPairedLines)
            continue;
        layouts[k] = PairHunkLines(lines(a, hunk.A0, hunk.ACount), lines(b, hunk.B0, hunk.BCount));
    }
    return layouts;
}
