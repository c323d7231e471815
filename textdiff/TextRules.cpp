#include "textdiff/TextRules.h"

#include <windows.h>

namespace {
bool IsAscii(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c >= 0x80) return false;
    return true;
}

// The platform's mapping of the characters (width, kana, case), invariant of the locale.
void MapCharacters(DWORD flags, std::wstring& text)
{
    if (text.empty()) return;
    int length = static_cast<int>(text.size());
    int needed = LCMapStringW(LOCALE_INVARIANT, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return;
    std::wstring mapped(static_cast<size_t>(needed), L'\0');
    needed = LCMapStringW(LOCALE_INVARIANT, flags, text.data(), length, mapped.data(), needed);
    if (needed <= 0) return;
    mapped.resize(static_cast<size_t>(needed));
    text.swap(mapped);
}

void LowerAscii(std::wstring& text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
}

void RemoveSpace(std::wstring& text)
{
    size_t kept = 0;
    for (wchar_t c : text)
        if (!IsTextSpace(c)) text[kept++] = c;
    text.resize(kept);
}

// Every run of white space becomes one space; the runs at the end go.
void CollapseSpace(std::wstring& text)
{
    size_t kept = 0;
    bool inSpace = false;
    for (wchar_t c : text) {
        if (IsTextSpace(c)) {
            inSpace = true;
            continue;
        }
        if (inSpace) text[kept++] = L' ';
        inSpace = false;
        text[kept++] = c;
    }
    text.resize(kept);
}
} // namespace

bool& OptionAt(TextOptions& options, int index)
{
    switch (index) {
    case toIgnoreSpaceChange:
        return options.IgnoreSpaceChange;
    case toIgnoreAllSpace:
        return options.IgnoreAllSpace;
    case toIgnoreBlankLines:
        return options.IgnoreBlankLines;
    case toIgnoreCase:
        return options.IgnoreCase;
    case toIgnoreWidth:
        return options.IgnoreWidth;
    case toIgnoreKana:
        return options.IgnoreKana;
    default:
        return options.IgnoreEol;
    }
}

bool OptionAt(const TextOptions& options, int index)
{
    return OptionAt(const_cast<TextOptions&>(options), index);
}

const char* OptionCaption(int index)
{
    static const char* const captions[TextOptionCount] = {
        "改行コード(&E)",   "空白の量(&W)", "空白すべて(&A)", "空行(&L)",
        "大文字小文字(&I)", "全角半角(&Z)", "かなカナ(&K)"};
    return index >= 0 && index < TextOptionCount ? captions[index] : "";
}

bool IsTextSpace(wchar_t c)
{
    if (c < 0x80) return c == L' ' || (c >= 0x09 && c <= 0x0D);
    return c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x1680;
}

bool IsBlankText(const wchar_t* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (!IsTextSpace(text[i])) return false;
    return true;
}

void ApplyCharacterRules(const TextOptions& options, std::wstring& text)
{
    bool ascii = IsAscii(text);
    // Kana first, so that hiragana reach half-width katakana when width is ignored too.
    if (!ascii && options.IgnoreKana) MapCharacters(LCMAP_KATAKANA, text);
    if (!ascii && options.IgnoreWidth) {
        MapCharacters(LCMAP_HALFWIDTH, text);
        // Wine leaves the full-width reverse solidus alone; Windows halves it.
        for (wchar_t& c : text)
            if (c == 0xFF3C) c = L'\\';
    }
    if (options.IgnoreCase) {
        if (ascii)
            LowerAscii(text);
        else
            MapCharacters(LCMAP_LOWERCASE, text);
    }
    if (options.IgnoreAllSpace)
        RemoveSpace(text);
    else if (options.IgnoreSpaceChange)
        CollapseSpace(text);
}
