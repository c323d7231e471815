#pragma once
#include <string>

// What a text comparison leaves out. All off: lines compare by their bytes, endings
// included, as diff compares them. Any on: lines compare by their characters (so the
// encoding and byte-order mark no longer count) after these rules.
struct TextOptions {
    bool IgnoreEol = false;         // CR LF, LF, CR and a missing last one are alike
    bool IgnoreSpaceChange = false; // runs of white space count as one; none at the end
    bool IgnoreAllSpace = false;    // white space (U+3000 included) counts for nothing
    bool IgnoreBlankLines = false;  // lines of white space only count for nothing
    bool IgnoreCase = false;        // upper and lower case alike (Unicode)
    bool IgnoreWidth = false;       // full and half width alike (ｶﾞ = ガ, ＡＢＣ = ABC)
    bool IgnoreKana = false;        // hiragana and katakana alike

    bool Any() const
    {
        return IgnoreEol || IgnoreSpaceChange || IgnoreAllSpace || IgnoreBlankLines ||
               IgnoreCase || IgnoreWidth || IgnoreKana;
    }
    // A rule that changes a line's characters (beyond its ending).
    bool ChangesCharacters() const
    {
        return IgnoreSpaceChange || IgnoreAllSpace || IgnoreCase || IgnoreWidth || IgnoreKana;
    }
    bool operator==(const TextOptions& o) const
    {
        return IgnoreEol == o.IgnoreEol && IgnoreSpaceChange == o.IgnoreSpaceChange &&
               IgnoreAllSpace == o.IgnoreAllSpace && IgnoreBlankLines == o.IgnoreBlankLines &&
               IgnoreCase == o.IgnoreCase && IgnoreWidth == o.IgnoreWidth &&
               IgnoreKana == o.IgnoreKana;
    }
    bool operator!=(const TextOptions& o) const { return !(*this == o); }
};

// The options one by one, in the order the view, the settings and the console list them.
enum TextOptionIndex {
    toIgnoreEol,
    toIgnoreSpaceChange,
    toIgnoreAllSpace,
    toIgnoreBlankLines,
    toIgnoreCase,
    toIgnoreWidth,
    toIgnoreKana,
    TextOptionCount
};
bool& OptionAt(TextOptions& options, int index);
bool OptionAt(const TextOptions& options, int index);
// The option's caption, as the text view and the settings dialog show it ("空行(&L)").
const char* OptionCaption(int index);

// White space as the rules see it: tab, line tabulation, form feed, CR, space, no-break
// space, the ideographic space U+3000 and the other Unicode spaces.
bool IsTextSpace(wchar_t c);
// A line of white space only (or empty).
bool IsBlankText(const wchar_t* text, size_t length);

// Puts text through the character rules of the options (kana, then width, then case,
// then white space), in place.
void ApplyCharacterRules(const TextOptions& options, std::wstring& text);
