#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// How the bytes of a text file stand for characters, as read from the whole file.
enum class TextEncoding : uint8_t {
    Ascii,          // 7-bit only: every Japanese code page and UTF-8 read it alike
    Utf8,
    Utf16Le,        // only with a byte-order mark
    Utf16Be,
    ShiftJis,       // code page 932
    EucJp,
    Iso2022Jp,
    SystemCodePage, // none of the above, but the system's code page reads it
    Binary,         // a zero byte outside UTF-16, or no encoding reads it
};

struct DetectedEncoding {
    TextEncoding Encoding = TextEncoding::Ascii;
    size_t BomLength = 0; // bytes of the byte-order mark at the start
};

// Detection, in this order: a byte-order mark (UTF-8, UTF-16 LE/BE); a zero byte makes
// the file binary; 7-bit text with JIS escapes is ISO-2022-JP, other 7-bit text ASCII;
// strict UTF-8; Shift-JIS or EUC-JP, whichever the bytes are valid as (both valid:
// EUC-JP when that reading has kana and fewer half-width katakana); the system code
// page; else binary.
DetectedEncoding DetectEncoding(const char* data, size_t size);

// The same characters are the same bytes in both: one encoding, or 7-bit text against an
// encoding that holds ASCII as it is (not UTF-16).
bool SameCharacterBytes(TextEncoding a, TextEncoding b);

// "UTF-8", "UTF-8 (BOM付き)", "Shift-JIS", "UTF-16LE (BOM付き)"...
std::string EncodingName(const DetectedEncoding& encoding);
// True when the encoding is two bytes a unit.
inline bool IsUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

// The shift state of ISO-2022-JP at a point of the file; the other encodings have none.
enum JisState : uint8_t { jisAscii = 0, jisKanji = 1, jisKana = 2, jisSupplement = 3 };

// Appends the characters of bytes (one line without its ending) to out, in UTF-16.
// Bytes no character stands for become U+FFFD; a character is never split. state is the
// ISO-2022-JP state at the start and is left at the end state.
void DecodeText(TextEncoding encoding, const char* data, size_t size, JisState& state,
                std::wstring& out);

// The state of ISO-2022-JP after the bytes, from a given state.
JisState JisStateAfter(const char* data, size_t size, JisState state);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(const char* data, size_t size);
