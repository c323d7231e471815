#pragma once
#include "textdiff/TextRules.h"

#include <cstdint>
#include <string>
#include <vector>

// A run of UTF-16 units of a line, end exclusive.
struct CharSpan {
    uint32_t Begin, End;
};

// What differs inside one changed pair of lines, on each side.
struct CharDifferences {
    std::vector<CharSpan> A, B;
    bool Whole = false; // too long to compare: the whole lines differ
};

// How characters group: a run of Latin letters, of digits or of white space is one piece;
// each kanji, kana or punctuation character is a piece of its own (Japanese has no spaces
// between its words). A surrogate pair is one character.
enum class CharGroup : uint8_t { Space, Latin, Digit, Kanji, Hiragana, Katakana, Other };
CharGroup GroupOf(wchar_t c);

// The pieces of a that b lacks and of b that a lacks, compared under the options' rules
// (case, width, kana; white space counts for nothing or as one space), adjacent pieces
// joined into one span. A character is never split.
CharDifferences DiffCharacters(const std::wstring& a, const std::wstring& b,
                               const TextOptions& options);
