#include "textdiff/TextDiff.h"

#include "textdiff/LineDiff.h"
#include "textdiff/LineKeys.h"

#include <algorithm>

namespace {
enum LineState : uint8_t { lsEqual = 0, lsChanged = 1, lsIgnorable = 2 };

// The lines one side shows the search: not ignored, with where each stood.
struct SearchedLines {
    std::vector<uint8_t> Ignored; // empty when no line is
    std::vector<uint32_t> Place;
};

// The search over line hashes, its matched pairs then checked byte for byte; false (and
// nothing else to trust) when a pair does not hold.
bool SearchByHashes(LineKeys& keys, const TextFile& a, const TextFile& b, const TextOptions& options,
                    SearchedLines (&sides)[2], SequenceDiff& found)
{
    std::vector<uint64_t> hashes[2];
    const TextFile* files[2] = {&a, &b};
    for (int side = 0; side < 2; ++side) {
        const std::vector<TextLine>& lines = files[side]->Lines;
        SearchedLines& out = sides[side];
        if (options.IgnoreBlankLines) out.Ignored.assign(lines.size(), 0);
        hashes[side].reserve(lines.size());
        out.Place.reserve(lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            if (keys.Ignored(side, lines[i])) {
                out.Ignored[i] = 1;
                continue;
            }
            hashes[side].push_back(keys.Hash(side, lines[i]));
            out.Place.push_back(static_cast<uint32_t>(i));
        }
    }
    found = DiffHashes(std::move(hashes[0]), std::move(hashes[1]));
    size_t i = 0, j = 0;
    for (;;) {
        while (i < found.XChanged.size() && found.XChanged[i])
            ++i;
        while (j < found.YChanged.size() && found.YChanged[j])
            ++j;
        if (i == found.XChanged.size() || j == found.YChanged.size()) return true;
        if (!keys.Equal(0, a.Lines[sides[0].Place[i]], 1, b.Lines[sides[1].Place[j]])) return false;
        ++i;
        ++j;
    }
}

// The search over classes of equal lines, for lines compared by their characters (and
// for hashes that met a collision).
void SearchByClasses(LineKeys& keys, const TextFile& a, const TextFile& b,
                     SearchedLines (&sides)[2], SequenceDiff& found)
{
    LineClasses classes = ClassifyLines(keys, a.Lines, b.Lines);
    std::vector<int32_t> kept[2];
    const std::vector<int32_t>* all[2] = {&classes.A, &classes.B};
    for (int side = 0; side < 2; ++side) {
        SearchedLines& out = sides[side];
        out.Ignored.clear();
        out.Place.clear();
        for (size_t i = 0; i < all[side]->size(); ++i) {
            int32_t c = (*all[side])[i];
            if (c < 0) {
                out.Ignored.resize(all[side]->size(), 0);
                out.Ignored[i] = 1;
                continue;
            }
            kept[side].push_back(c);
            out.Place.push_back(static_cast<uint32_t>(i));
        }
    }
    found = DiffSequences(kept[0], kept[1], classes.Count);
}

// The blank lines between two matched lines: with a real change there, all of the gap is
// the change; otherwise they pair off in order and the rest are ignorable.
void SettleIgnoredLines(const std::vector<uint8_t>& aIgnored, const std::vector<uint8_t>& bIgnored,
                        std::vector<uint8_t>& a, std::vector<uint8_t>& b)
{
    auto ignored = [](const std::vector<uint8_t>& flags, size_t i) {
        return i < flags.size() && flags[i];
    };
    auto nextAnchor = [&](const std::vector<uint8_t>& flags, const std::vector<uint8_t>& state,
                          size_t from) {
        while (from < state.size() && (ignored(flags, from) || state[from] != lsEqual))
            ++from;
        return from;
    };
    size_t i = 0, j = 0;
    for (;;) {
        size_t ia = nextAnchor(aIgnored, a, i), jb = nextAnchor(bIgnored, b, j);
        bool real = false;
        for (size_t k = i; k < ia && !real; ++k)
            real = !ignored(aIgnored, k);
        for (size_t k = j; k < jb && !real; ++k)
            real = !ignored(bIgnored, k);
        if (real) {
            std::fill(a.begin() + static_cast<ptrdiff_t>(i), a.begin() + static_cast<ptrdiff_t>(ia),
                      lsChanged);
            std::fill(b.begin() + static_cast<ptrdiff_t>(j), b.begin() + static_cast<ptrdiff_t>(jb),
                      lsChanged);
        } else {
            size_t paired = std::min(ia - i, jb - j);
            for (size_t k = i + paired; k < ia; ++k)
                a[k] = lsIgnorable;
            for (size_t k = j + paired; k < jb; ++k)
                b[k] = lsIgnorable;
        }
        if (ia >= a.size() && jb >= b.size()) break;
        i = ia + 1;
        j = jb + 1;
    }
}

bool Overlaps(size_t begin, size_t count, size_t rangeBegin, size_t rangeEnd)
{
    size_t end = begin + count;
    if (count == 0) return begin >= rangeBegin && begin <= rangeEnd;
    return begin < rangeEnd && rangeBegin < end;
}

std::vector<DiffHunk> HunksOf(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    std::vector<DiffHunk> hunks;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if ((i < a.size() && a[i] != lsEqual) || (j < b.size() && b[j] != lsEqual)) {
            DiffHunk hunk{i, 0, j, 0};
            bool ignored = true;
            for (; i < a.size() && a[i] != lsEqual; ++i)
                ignored = ignored && a[i] == lsIgnorable;
            for (; j < b.size() && b[j] != lsEqual; ++j)
                ignored = ignored && b[j] == lsIgnorable;
            hunk.ACount = i - hunk.A0;
            hunk.BCount = j - hunk.B0;
            hunk.Ignored = ignored;
            hunks.push_back(hunk);
        } else {
            ++i;
            ++j;
        }
    }
    return hunks;
}

// Reads the lines of one side of a pair one by one, with their characters.
struct LineWalk {
    const char* Bytes;
    DetectedEncoding Encoding;
    LineReader Reader;
    TextLine Line{};
    LineWalk(const char* bytes, size_t size, const DetectedEncoding& encoding)
        : Bytes(bytes), Encoding(encoding), Reader(bytes, size, encoding.Encoding, LineBreaks::Any)
    {
    }
};
} // namespace

size_t TextDiffResult::ChangedHunks() const
{
    size_t count = 0;
    for (const DiffHunk& hunk : Hunks)
        count += !hunk.Ignored;
    return count;
}

TextDiffResult DiffTextFiles(const TextFile& a, const TextFile& b, const TextOptions& options)
{
    LineKeys keys(a, b, options);
    SearchedLines sides[2];
    SequenceDiff found;
    if (!keys.ComparesBytes() || !SearchByHashes(keys, a, b, options, sides, found))
        SearchByClasses(keys, a, b, sides, found);
    const std::vector<uint32_t>& xPlace = sides[0].Place;
    const std::vector<uint32_t>& yPlace = sides[1].Place;

    std::vector<uint8_t> aState(a.Lines.size(), lsEqual), bState(b.Lines.size(), lsEqual);
    for (size_t i = 0; i < found.XChanged.size(); ++i)
        if (found.XChanged[i]) aState[xPlace[i]] = lsChanged;
    for (size_t i = 0; i < found.YChanged.size(); ++i)
        if (found.YChanged[i]) bState[yPlace[i]] = lsChanged;
    if (options.IgnoreBlankLines) SettleIgnoredLines(sides[0].Ignored, sides[1].Ignored, aState, bState);

    TextDiffResult result;
    result.Hunks = HunksOf(aState, bState);
    for (const ApproximateRange& range : found.Approximate) {
        size_t xBegin = xPlace[range.XBegin], xEnd = xPlace[range.XEnd - 1] + 1;
        size_t yBegin = yPlace[range.YBegin], yEnd = yPlace[range.YEnd - 1] + 1;
        for (DiffHunk& hunk : result.Hunks)
            if (Overlaps(hunk.A0, hunk.ACount, xBegin, xEnd) ||
                Overlaps(hunk.B0, hunk.BCount, yBegin, yEnd)) {
                hunk.Approximate = true;
                result.Approximate = true;
            }
    }
    return result;
}

TextLikeness CompareLikeness(const TextFile& a, const TextFile& b)
{
    TextLikeness likeness;
    if (a.IsBinary() || b.IsBinary()) return likeness;
    likeness.SameEncoding = SameCharacterBytes(a.Encoding.Encoding, b.Encoding.Encoding);
    likeness.SameBom = (a.Encoding.BomLength > 0) == (b.Encoding.BomLength > 0);
    if (a.Lines.size() != b.Lines.size()) return likeness;
    likeness.SameEndings = true;
    std::wstring left, right;
    for (size_t i = 0; i < a.Lines.size(); ++i) {
        left.clear();
        right.clear();
        a.DecodeLine(i, left);
        b.DecodeLine(i, right);
        if (left != right) {
            likeness.SameEndings = false;
            return likeness;
        }
        if (a.Lines[i].Ending != b.Lines[i].Ending) likeness.SameEndings = false;
    }
    likeness.SameCharacters = true;
    return likeness;
}

std::string StorageOnlyNotice(const TextLikeness& likeness)
{
    if (!likeness.SameCharacters) return "";
    std::string storage = !likeness.SameEncoding ? "文字コード" : !likeness.SameBom ? "BOMの有無" : "";
    if (likeness.SameEndings) return storage.empty() ? "" : storage + "だけが異なります";
    return (storage.empty() ? "" : storage + "と") + "改行コードだけが異なります";
}

TextRuleOutcome CompareUnderTextRule(const char* a, size_t aSize, const char* b, size_t bSize,
                                     const TextOptions& options,
                                     const std::function<void()>& atFixedPoint)
{
    size_t lines = 0;
    auto step = [&] {
        if (++lines % 65536 == 0 && atFixedPoint) atFixedPoint();
    };
    DetectedEncoding aEncoding = DetectEncoding(a, aSize), bEncoding = DetectEncoding(b, bSize);
    if (aEncoding.Encoding == TextEncoding::Binary || bEncoding.Encoding == TextEncoding::Binary)
        return TextRuleOutcome::Different;
    const bool sameStorage = SameCharacterBytes(aEncoding.Encoding, bEncoding.Encoding) &&
                             aEncoding.BomLength == bEncoding.BomLength;

    // First the characters as they are, line for line, and the endings.
    {
        LineWalk left(a, aSize, aEncoding), right(b, bSize, bEncoding);
        std::wstring leftText, rightText;
        bool sameCharacters = true, sameEndings = true;
        for (;;) {
            step();
            bool hasLeft = left.Reader.Next(left.Line), hasRight = right.Reader.Next(right.Line);
            if (!hasLeft || !hasRight) {
                sameCharacters = hasLeft == hasRight;
                break;
            }
            leftText.clear();
            rightText.clear();
            DecodeTextLine(a, aEncoding, left.Line, leftText);
            DecodeTextLine(b, bEncoding, right.Line, rightText);
            if (leftText != rightText) {
                sameCharacters = false;
                break;
            }
            sameEndings = sameEndings && left.Line.Ending == right.Line.Ending;
        }
        if (sameCharacters) {
            if (sameEndings)
                return sameStorage ? TextRuleOutcome::Equivalent : TextRuleOutcome::EncodingOnly;
            if (!options.IgnoreEol) return TextRuleOutcome::Different;
            return sameStorage ? TextRuleOutcome::EndingsOnly : TextRuleOutcome::Equivalent;
        }
        if (!options.ChangesCharacters() && !options.IgnoreBlankLines)
            return TextRuleOutcome::Different;
    }

    // Then under the options, line by line, blank lines skipped where they count for nothing.
    LineKeys keys(a, aEncoding, b, bEncoding, options);
    LineWalk left(a, aSize, aEncoding), right(b, bSize, bEncoding);
    auto next = [&keys](LineWalk& walk, int side) {
        while (walk.Reader.Next(walk.Line))
            if (!keys.Ignored(side, walk.Line)) return true;
        return false;
    };
    for (;;) {
        step();
        bool hasLeft = next(left, 0), hasRight = next(right, 1);
        if (!hasLeft || !hasRight)
            return hasLeft == hasRight ? TextRuleOutcome::Equivalent : TextRuleOutcome::Different;
        if (!keys.Equal(0, left.Line, 1, right.Line)) return TextRuleOutcome::Different;
    }
}
