#pragma once
#include "textdiff/TextFile.h"
#include "textdiff/TextRules.h"

#include <cstddef>
#include <functional>
#include <vector>

// A run of lines of A that B has in place of them (either run may be empty). Between two
// hunks the lines of both files match one for one.
struct DiffHunk {
    size_t A0, ACount, B0, BCount;
    bool Ignored = false;     // only lines the options count for nothing (blank lines)
    bool Approximate = false; // the cost cap cut the search for it short
};

struct TextDiffResult {
    std::vector<DiffHunk> Hunks;
    bool Approximate = false;  // some hunk is approximate
    size_t ChangedHunks() const;  // hunks not ignored
};

// The line differences of two text files under the options: the fewest changed lines
// (lines of class the other file lacks are changed at once), unless the cost cap cut a
// search short, which the hunks it touched say. With blank lines ignored, the blank lines
// between two matched lines pair off where they can; a change of blank lines alone is an
// ignored hunk.
TextDiffResult DiffTextFiles(const TextFile& a, const TextFile& b, const TextOptions& options);

// How two files' texts relate beyond their bytes, options aside.
struct TextLikeness {
    bool SameCharacters = false; // line for line the same characters (endings aside)
    bool SameEndings = false;    // and the same line endings, the last line's included
    bool SameEncoding = false;   // the same encoding
    bool SameBom = false;        // both with a byte-order mark, or both without
};
TextLikeness CompareLikeness(const TextFile& a, const TextFile& b);

// What the view says when a pair differs in nothing but how its text is stored:
// "改行コードだけが異なります", "文字コードだけが異なります", "BOMの有無だけが異なります",
// or two of them together; "" otherwise (or when nothing differs).
std::string StorageOnlyNotice(const TextLikeness& likeness);

// The contents check's text rule on two files whose bytes differ.
enum class TextRuleOutcome {
    Different,    // the texts differ under the options too (or a file is binary)
    EndingsOnly,  // only line endings differ (endings ignored), one encoding
    EncodingOnly, // the same characters and endings, another encoding or byte-order mark
    Equivalent,   // equal under the options in another way
};
// Reads both byte strings line by line without keeping the lines, so files of any size
// are checked; stops at the first line that differs. atFixedPoint, when given, is called
// every few tens of thousands of lines.
TextRuleOutcome CompareUnderTextRule(const char* a, size_t aSize, const char* b, size_t bSize,
                                     const TextOptions& options,
                                     const std::function<void()>& atFixedPoint = {});
