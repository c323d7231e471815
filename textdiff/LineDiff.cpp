#include "textdiff/LineDiff.h"

#include <climits>

namespace {
struct Split {
    int XMid, YMid;
    bool LowMinimal, HighMinimal;
};

// The search over the reduced sequences; indexes are int, the sequences being far below
// two thousand million elements.
template <typename Element> class Search {
public:
    Search(const std::vector<Element>& x, const std::vector<Element>& y, int costCap,
           SequenceDiff& out, const std::vector<uint32_t>& xPlace, const std::vector<uint32_t>& yPlace)
        : xv_(x.data()), yv_(y.data()), cap_(costCap), out_(out), xPlace_(xPlace), yPlace_(yPlace)
    {
        size_t diagonals = x.size() + y.size() + 3;
        forward_.assign(diagonals, 0);
        backward_.assign(diagonals, 0);
        offset_ = static_cast<int>(y.size()) + 1;
        fd_ = forward_.data() + offset_;
        bd_ = backward_.data() + offset_;
    }

    void Compare(int xoff, int xlim, int yoff, int ylim, bool minimal)
    {
        while (xoff < xlim && yoff < ylim && xv_[xoff] == yv_[yoff]) {
            ++xoff;
            ++yoff;
        }
        while (xlim > xoff && ylim > yoff && xv_[xlim - 1] == yv_[ylim - 1]) {
            --xlim;
            --ylim;
        }
        if (xoff == xlim) {
            for (int i = yoff; i < ylim; ++i)
                out_.YChanged[yPlace_[i]] = 1;
        } else if (yoff == ylim) {
            for (int i = xoff; i < xlim; ++i)
                out_.XChanged[xPlace_[i]] = 1;
        } else {
            Split part;
            bool capped = false;
            FindSplit(xoff, xlim, yoff, ylim, minimal, part, capped);
            if (capped)
                out_.Approximate.push_back({xPlace_[xoff], xPlace_[xlim - 1] + 1, yPlace_[yoff],
                                            yPlace_[ylim - 1] + 1});
            Compare(xoff, part.XMid, yoff, part.YMid, part.LowMinimal);
            Compare(part.XMid, xlim, part.YMid, ylim, part.HighMinimal);
        }
    }

private:
    // The middle snake of the shortest edit script, searched from both ends at once.
    void FindSplit(int xoff, int xlim, int yoff, int ylim, bool minimal, Split& part, bool& capped)
    {
        int* const fd = fd_;
        int* const bd = bd_;
        const int dmin = xoff - ylim, dmax = xlim - yoff;
        const int fmid = xoff - yoff, bmid = xlim - ylim;
        int fmin = fmid, fmax = fmid, bmin = bmid, bmax = bmid;
        const bool odd = (fmid - bmid) & 1;
        fd[fmid] = xoff;
        bd[bmid] = xlim;
        for (int c = 1;; ++c) {
            if (fmin > dmin)
                fd[--fmin - 1] = -1;
            else
                ++fmin;
            if (fmax < dmax)
                fd[++fmax + 1] = -1;
            else
                --fmax;
            for (int d = fmax; d >= fmin; d -= 2) {
                int tlo = fd[d - 1], thi = fd[d + 1];
                int x = tlo >= thi ? tlo + 1 : thi;
                int y = x - d;
                while (x < xlim && y < ylim && xv_[x] == yv_[y]) {
                    ++x;
                    ++y;
                }
                fd[d] = x;
                if (odd && bmin <= d && d <= bmax && bd[d] <= x) {
                    part = {x, y, true, true};
                    return;
                }
            }
            if (bmin > dmin)
                bd[--bmin - 1] = INT_MAX;
            else
                ++bmin;
            if (bmax < dmax)
                bd[++bmax + 1] = INT_MAX;
            else
                --bmax;
            for (int d = bmax; d >= bmin; d -= 2) {
                int tlo = bd[d - 1], thi = bd[d + 1];
                int x = tlo < thi ? tlo : thi - 1;
                int y = x - d;
                while (x > xoff && y > yoff && xv_[x - 1] == yv_[y - 1]) {
                    --x;
                    --y;
                }
                bd[d] = x;
                if (!odd && fmin <= d && d <= fmax && x <= fd[d]) {
                    part = {x, y, true, true};
                    return;
                }
            }
            if (minimal || c < cap_) continue;
            // Too dear: split where the search got furthest, from whichever end did better.
            capped = true;
            int fxybest = -1, fxbest = xoff;
            for (int d = fmax; d >= fmin; d -= 2) {
                int x = fd[d] < xlim ? fd[d] : xlim;
                int y = x - d;
                if (ylim < y) {
                    x = ylim + d;
                    y = ylim;
                }
                if (fxybest < x + y) {
                    fxybest = x + y;
                    fxbest = x;
                }
            }
            int bxybest = INT_MAX, bxbest = xlim;
            for (int d = bmax; d >= bmin; d -= 2) {
                int x = bd[d] > xoff ? bd[d] : xoff;
                int y = x - d;
                if (y < yoff) {
                    x = yoff + d;
                    y = yoff;
                }
                if (x + y < bxybest) {
                    bxybest = x + y;
                    bxbest = x;
                }
            }
            if ((xlim + ylim) - bxybest < fxybest - (xoff + yoff))
                part = {fxbest, fxybest - fxbest, true, false};
            else
                part = {bxbest, bxybest - bxbest, false, true};
            return;
        }
    }

    const Element* xv_;
    const Element* yv_;
    int cap_;
    SequenceDiff& out_;
    const std::vector<uint32_t>& xPlace_;
    const std::vector<uint32_t>& yPlace_;
    std::vector<int> forward_, backward_;
    int offset_ = 0;
    int* fd_ = nullptr;
    int* bd_ = nullptr;
};

// The elements the other side may have, with where each stood; the others are marked
// changed (no common subsequence can hold them).
template <typename Element, typename Lacks>
void KeepMatchable(const std::vector<Element>& from, Lacks otherLacks, std::vector<Element>& kept,
                   std::vector<uint32_t>& place, std::vector<uint8_t>& changed)
{
    kept.reserve(from.size());
    place.reserve(from.size());
    for (size_t i = 0; i < from.size(); ++i) {
        if (otherLacks(from[i])) {
            changed[i] = 1;
        } else {
            kept.push_back(from[i]);
            place.push_back(static_cast<uint32_t>(i));
        }
    }
}

template <typename Element>
void SearchKept(const std::vector<Element>& xr, const std::vector<Element>& yr, int costCap,
                SequenceDiff& out, const std::vector<uint32_t>& xPlace,
                const std::vector<uint32_t>& yPlace)
{
    if (costCap <= 0) costCap = DefaultCostCap(xr.size(), yr.size());
    Search<Element> search(xr, yr, costCap, out, xPlace, yPlace);
    search.Compare(0, static_cast<int>(xr.size()), 0, static_cast<int>(yr.size()), false);
}

// Which hashes a sequence holds, as bits of a table that stays in the cache: a clear bit
// says surely not; a set bit, maybe.
class HashBits {
public:
    explicit HashBits(const std::vector<uint64_t>& hashes) : bits_(Words, 0)
    {
        for (uint64_t h : hashes)
            bits_[(h >> 6) & (Words - 1)] |= 1ull << (h & 63);
    }
    bool Lacks(uint64_t h) const { return !(bits_[(h >> 6) & (Words - 1)] & (1ull << (h & 63))); }

private:
    static constexpr size_t Words = size_t(1) << 18; // 16 million bits, 2 MB
    std::vector<uint64_t> bits_;
};
} // namespace

int DefaultCostCap(size_t xLength, size_t yLength)
{
    int cap = 1;
    for (size_t diagonals = xLength + yLength + 3; diagonals != 0; diagonals >>= 2)
        cap <<= 1;
    return cap < 4096 ? 4096 : cap;
}

SequenceDiff DiffSequences(const std::vector<int32_t>& x, const std::vector<int32_t>& y,
                           size_t classCount, int costCap)
{
    SequenceDiff out;
    out.XChanged.assign(x.size(), 0);
    out.YChanged.assign(y.size(), 0);
    std::vector<uint32_t> xCounts(classCount, 0), yCounts(classCount, 0);
    for (int32_t c : x)
        ++xCounts[static_cast<size_t>(c)];
    for (int32_t c : y)
        ++yCounts[static_cast<size_t>(c)];

    std::vector<int32_t> xr, yr;
    std::vector<uint32_t> xPlace, yPlace;
    KeepMatchable(x, [&](int32_t c) { return yCounts[static_cast<size_t>(c)] == 0; }, xr, xPlace,
                  out.XChanged);
    KeepMatchable(y, [&](int32_t c) { return xCounts[static_cast<size_t>(c)] == 0; }, yr, yPlace,
                  out.YChanged);
    xCounts = {};
    yCounts = {};
    SearchKept(xr, yr, costCap, out, xPlace, yPlace);
    return out;
}

SequenceDiff DiffHashes(std::vector<uint64_t> x, std::vector<uint64_t> y, int costCap)
{
    SequenceDiff out;
    out.XChanged.assign(x.size(), 0);
    out.YChanged.assign(y.size(), 0);
    std::vector<uint64_t> xr, yr;
    std::vector<uint32_t> xPlace, yPlace;
    {
        HashBits xBits(x), yBits(y);
        KeepMatchable(x, [&](uint64_t h) { return yBits.Lacks(h); }, xr, xPlace, out.XChanged);
        x = {};
        KeepMatchable(y, [&](uint64_t h) { return xBits.Lacks(h); }, yr, yPlace, out.YChanged);
        y = {};
    }
    SearchKept(xr, yr, costCap, out, xPlace, yPlace);
    return out;
}
