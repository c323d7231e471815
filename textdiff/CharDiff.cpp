#include "textdiff/CharDiff.h"

#include "textdiff/LineDiff.h"

#include <unordered_map>

namespace {
// Lines longer than this in pieces are shown as changed whole.
const size_t MaxPieces = 20000;

struct Piece {
    uint32_t Begin, End;
};

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsSoundMark(wchar_t c)
{
    return c == 0xFF9E || c == 0xFF9F || c == 0x3099 || c == 0x309A;
}

bool Joins(CharGroup group)
{
    return group == CharGroup::Space || group == CharGroup::Latin || group == CharGroup::Digit;
}

std::vector<Piece> PiecesOf(const std::wstring& text)
{
    std::vector<Piece> pieces;
    size_t i = 0;
    while (i < text.size()) {
        size_t begin = i;
        CharGroup group = GroupOf(text[i]);
        i += IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
        // A voiced sound mark belongs to the kana before it (ｶﾞ is one character).
        while (i < text.size() && IsSoundMark(text[i]))
            ++i;
        if (Joins(group))
            while (i < text.size() && GroupOf(text[i]) == group)
                ++i;
        pieces.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(i)});
    }
    return pieces;
}

// The classes of the pieces of both lines; a piece of white space that counts for
// nothing gets none (-1).
struct PieceClasses {
    std::unordered_map<std::wstring, int32_t> Known;
    const TextOptions& Options;
    explicit PieceClasses(const TextOptions& options) : Options(options) {}

    int32_t Of(const std::wstring& line, const Piece& piece)
    {
        std::wstring key = line.substr(piece.Begin, piece.End - piece.Begin);
        if (GroupOf(key[0]) == CharGroup::Space) {
            if (Options.IgnoreAllSpace) return -1;
            if (Options.IgnoreSpaceChange) key = L" ";
        } else {
            TextOptions characters;
            characters.IgnoreCase = Options.IgnoreCase;
            characters.IgnoreWidth = Options.IgnoreWidth;
            characters.IgnoreKana = Options.IgnoreKana;
            ApplyCharacterRules(characters, key);
        }
        auto found = Known.emplace(std::move(key), static_cast<int32_t>(Known.size()));
        return found.first->second;
    }
};

void Spans(const std::vector<Piece>& pieces, const std::vector<size_t>& place,
           const std::vector<uint8_t>& changed, std::vector<CharSpan>& out)
{
    for (size_t i = 0; i < changed.size(); ++i) {
        if (!changed[i]) continue;
        const Piece& piece = pieces[place[i]];
        if (!out.empty() && out.back().End == piece.Begin)
            out.back().End = piece.End;
        else
            out.push_back({piece.Begin, piece.End});
    }
}
} // namespace

CharGroup GroupOf(wchar_t c)
{
    if (IsTextSpace(c)) return CharGroup::Space;
    if ((c >= L'0' && c <= L'9') || (c >= 0xFF10 && c <= 0xFF19)) return CharGroup::Digit;
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' ||
        (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A) ||
        (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F))
        return CharGroup::Latin;
    if (c >= 0x3041 && c <= 0x309F) return CharGroup::Hiragana;
    if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
        (c >= 0xFF66 && c <= 0xFF9F))
        return CharGroup::Katakana;
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0xF900 && c <= 0xFAFF) || c == 0x3005 || (c >= 0xD800 && c <= 0xDFFF))
        return CharGroup::Kanji;
    return CharGroup::Other;
}

CharDifferences DiffCharacters(const std::wstring& a, const std::wstring& b,
                               const TextOptions& options)
{
    CharDifferences result;
    std::vector<Piece> aPieces = PiecesOf(a), bPieces = PiecesOf(b);
    if (aPieces.size() > MaxPieces || bPieces.size() > MaxPieces) {
        result.Whole = true;
        if (!a.empty()) result.A.push_back({0, static_cast<uint32_t>(a.size())});
        if (!b.empty()) result.B.push_back({0, static_cast<uint32_t>(b.size())});
        return result;
    }
    PieceClasses classes(options);
    std::vector<int32_t> x, y;
    std::vector<size_t> xPlace, yPlace;
    for (size_t i = 0; i < aPieces.size(); ++i) {
        int32_t c = classes.Of(a, aPieces[i]);
        if (c < 0) continue;
        x.push_back(c);
        xPlace.push_back(i);
    }
    for (size_t i = 0; i < bPieces.size(); ++i) {
        int32_t c = classes.Of(b, bPieces[i]);
        if (c < 0) continue;
        y.push_back(c);
        yPlace.push_back(i);
    }
    SequenceDiff found = DiffSequences(x, y, classes.Known.size());
    Spans(aPieces, xPlace, found.XChanged, result.A);
    Spans(bPieces, yPlace, found.YChanged, result.B);
    return result;
}
