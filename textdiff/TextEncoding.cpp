#include "textdiff/TextEncoding.h"

#include "textdiff/ByteScan.h"

#include <cstring>
#include <utility>
#include <windows.h>

namespace {
using Byte = unsigned char;
const wchar_t Replacement = 0xFFFD;
const Byte EscapeByte = 0x1B;

bool InRange(Byte b, Byte low, Byte high)
{
    return b >= low && b <= high;
}

// The length of one valid UTF-8 sequence at p (n bytes left), 0 when it is not one.
size_t Utf8SequenceLength(const Byte* p, size_t n, uint32_t& code)
{
    Byte b = p[0];
    if (b < 0x80) {
        code = b;
        return 1;
    }
    size_t length;
    uint32_t minimum;
    if (InRange(b, 0xC2, 0xDF)) {
        length = 2;
        minimum = 0x80;
        code = b & 0x1F;
    } else if (InRange(b, 0xE0, 0xEF)) {
        length = 3;
        minimum = 0x800;
        code = b & 0x0F;
    } else if (InRange(b, 0xF0, 0xF4)) {
        length = 4;
        minimum = 0x10000;
        code = b & 0x07;
    } else {
        return 0;
    }
    if (n < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

struct DoubleByteScan {
    bool Valid = true;
    size_t HalfWidthKana = 0;
    size_t Kana = 0; // EUC-JP: hiragana and katakana (rows 4 and 5), the mark of Japanese text
};

DoubleByteScan ScanShiftJis(const Byte* p, size_t n)
{
    DoubleByteScan scan;
    for (size_t i = 0; i < n;) {
        Byte b = p[i];
        if (b < 0x80) {
            ++i;
        } else if (InRange(b, 0xA1, 0xDF)) {
            ++scan.HalfWidthKana;
            ++i;
        } else if ((InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC)) && i + 1 < n &&
                   (InRange(p[i + 1], 0x40, 0x7E) || InRange(p[i + 1], 0x80, 0xFC))) {
            i += 2;
        } else {
            scan.Valid = false;
            return scan;
        }
    }
    return scan;
}

DoubleByteScan ScanEucJp(const Byte* p, size_t n)
{
    DoubleByteScan scan;
    for (size_t i = 0; i < n;) {
        Byte b = p[i];
        if (b < 0x80) {
            ++i;
        } else if (b == 0x8E && i + 1 < n && InRange(p[i + 1], 0xA1, 0xDF)) {
            ++scan.HalfWidthKana;
            i += 2;
        } else if (b == 0x8F && i + 2 < n && InRange(p[i + 1], 0xA1, 0xFE) &&
                   InRange(p[i + 2], 0xA1, 0xFE)) {
            i += 3;
        } else if (InRange(b, 0xA1, 0xFE) && i + 1 < n && InRange(p[i + 1], 0xA1, 0xFE)) {
            scan.Kana += b == 0xA4 || b == 0xA5;
            i += 2;
        } else {
            scan.Valid = false;
            return scan;
        }
    }
    return scan;
}

// The escape sequence at p and the state it sets; its length, 0 when it is none we read.
size_t JisEscape(const Byte* p, size_t n, JisState& state)
{
    auto is = [&](const char* sequence) {
        size_t length = std::strlen(sequence);
        return n >= length && std::memcmp(p, sequence, length) == 0 ? length : 0;
    };
    size_t length;
    if ((length = is("\x1B(B")) || (length = is("\x1B(J"))) {
        state = jisAscii;
    } else if ((length = is("\x1B$@")) || (length = is("\x1B$B")) || (length = is("\x1B&@\x1B$B"))) {
        state = jisKanji;
    } else if ((length = is("\x1B(I"))) {
        state = jisKana;
    } else if ((length = is("\x1B$(D"))) {
        state = jisSupplement;
    } else {
        return 0;
    }
    return length;
}

// 7-bit text whose escapes are all ISO-2022-JP's, with at least one that leaves ASCII.
bool IsIso2022Jp(const Byte* p, size_t n)
{
    JisState state = jisAscii;
    bool leftAscii = false;
    for (size_t i = 0; i < n;) {
        if (p[i] == EscapeByte) {
            size_t length = JisEscape(p + i, n - i, state);
            if (length == 0) return false;
            leftAscii = leftAscii || state != jisAscii;
            i += length;
        } else if (p[i] == '\r' || p[i] == '\n' || state == jisAscii || state == jisKana) {
            ++i;
        } else if (i + 1 < n && InRange(p[i], 0x21, 0x7E) && InRange(p[i + 1], 0x21, 0x7E)) {
            i += 2;
        } else {
            return false;
        }
    }
    return leftAscii;
}

// The system code page reads every byte; lines are converted apart, as a lead byte
// never stands before a line feed.
bool ValidInCodePage(UINT codePage, const char* p, size_t n)
{
    const size_t piece = 1 << 20;
    for (size_t at = 0; at < n;) {
        size_t end = n - at > piece ? at + piece : n;
        if (end < n) {
            const void* feed = std::memchr(p + end, '\n', n - end);
            end = feed ? static_cast<size_t>(static_cast<const char*>(feed) - p) + 1 : n;
        }
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, p + at, static_cast<int>(end - at),
                                nullptr, 0) == 0)
            return false;
        at = end;
    }
    return true;
}

void AppendCodePage(UINT codePage, const char* p, size_t n, std::wstring& out)
{
    if (n == 0) return;
    size_t start = out.size();
    out.resize(start + n);
    int length = MultiByteToWideChar(codePage, 0, p, static_cast<int>(n), &out[start],
                                     static_cast<int>(n));
    out.resize(start + static_cast<size_t>(length > 0 ? length : 0));
}

// A JIS X 0208 row and cell as the two Shift-JIS bytes that stand for them.
void AppendShiftJisOfJis(Byte j1, Byte j2, std::string& sjis)
{
    Byte s1 = static_cast<Byte>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
    Byte s2 = static_cast<Byte>(j2 + ((j1 & 1) ? (j2 < 0x60 ? 0x1F : 0x20) : 0x7E));
    sjis += static_cast<char>(s1);
    sjis += static_cast<char>(s2);
}

// Shift-JIS gathered so far goes out; a character Shift-JIS has no code for follows it.
void FlushShiftJis(std::string& sjis, std::wstring& out)
{
    AppendCodePage(932, sjis.data(), sjis.size(), out);
    sjis.clear();
}

void DecodeEucJp(const Byte* p, size_t n, std::wstring& out)
{
    std::string sjis;
    sjis.reserve(n);
    for (size_t i = 0; i < n;) {
        Byte b = p[i];
        if (b < 0x80) {
            sjis += static_cast<char>(b);
            ++i;
        } else if (b == 0x8E && i + 1 < n) {
            sjis += static_cast<char>(p[i + 1]);
            i += 2;
        } else if (b == 0x8F && i + 2 < n) { // JIS X 0212: no Shift-JIS code
            FlushShiftJis(sjis, out);
            out += Replacement;
            i += 3;
        } else if (InRange(b, 0xA1, 0xFE) && i + 1 < n) {
            AppendShiftJisOfJis(static_cast<Byte>(b - 0x80), static_cast<Byte>(p[i + 1] - 0x80),
                                sjis);
            i += 2;
        } else {
            FlushShiftJis(sjis, out);
            out += Replacement;
            ++i;
        }
    }
    FlushShiftJis(sjis, out);
}

void DecodeIso2022Jp(const Byte* p, size_t n, JisState& state, std::wstring& out)
{
    std::string sjis;
    sjis.reserve(n);
    for (size_t i = 0; i < n;) {
        if (p[i] == EscapeByte) {
            size_t length = JisEscape(p + i, n - i, state);
            if (length > 0) {
                i += length;
                continue;
            }
        }
        if (state == jisAscii || p[i] < 0x21 || p[i] > 0x7E) {
            sjis += static_cast<char>(p[i]);
            ++i;
        } else if (state == jisKana) {
            sjis += static_cast<char>(p[i] + 0x80);
            ++i;
        } else if (i + 1 < n) {
            if (state == jisKanji) {
                AppendShiftJisOfJis(p[i], p[i + 1], sjis);
            } else {
                FlushShiftJis(sjis, out);
                out += Replacement;
            }
            i += 2;
        } else {
            FlushShiftJis(sjis, out);
            out += Replacement;
            ++i;
        }
    }
    FlushShiftJis(sjis, out);
}

void DecodeUtf8(const Byte* p, size_t n, std::wstring& out)
{
    out.reserve(out.size() + n);
    for (size_t i = 0; i < n;) {
        if (p[i] < 0x80) {
            out += static_cast<wchar_t>(p[i++]);
            continue;
        }
        uint32_t code = 0;
        size_t length = Utf8SequenceLength(p + i, n - i, code);
        if (length == 0) {
            out += Replacement;
            ++i;
        } else if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (code >> 10));
            out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
            i += length;
        } else {
            out += static_cast<wchar_t>(code);
            i += length;
        }
    }
}

void DecodeUtf16(const Byte* p, size_t n, bool bigEndian, std::wstring& out)
{
    out.reserve(out.size() + n / 2 + 1);
    for (size_t i = 0; i + 1 < n; i += 2)
        out += static_cast<wchar_t>(bigEndian ? (p[i] << 8) | p[i + 1] : p[i] | (p[i + 1] << 8));
    if (n % 2) out += Replacement;
}
} // namespace

bool IsValidUtf8(const char* data, size_t size)
{
    const Byte* p = reinterpret_cast<const Byte*>(data);
    for (size_t i = 0; i < size;) {
        // Eight ASCII bytes at a time.
        if (i + 8 <= size) {
            uint64_t block;
            std::memcpy(&block, p + i, 8);
            if ((block & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        uint32_t code;
        size_t length = Utf8SequenceLength(p + i, size - i, code);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

DetectedEncoding DetectEncoding(const char* data, size_t size)
{
    const Byte* p = reinterpret_cast<const Byte*>(data);
    if (size >= 2 && p[0] == 0xFF && p[1] == 0xFE) return {TextEncoding::Utf16Le, 2};
    if (size >= 2 && p[0] == 0xFE && p[1] == 0xFF) return {TextEncoding::Utf16Be, 2};
    ByteSummary summary = SummarizeBytes(data, size);
    if (summary.Zero) return {TextEncoding::Binary, 0};
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return {TextEncoding::Utf8, 3};

    const size_t firstHigh = summary.FirstHigh;
    if (firstHigh == size) {
        if (summary.Escape && IsIso2022Jp(p, size)) return {TextEncoding::Iso2022Jp, 0};
        return {TextEncoding::Ascii, 0};
    }
    if (IsValidUtf8(data + firstHigh, size - firstHigh)) return {TextEncoding::Utf8, 0};
    DoubleByteScan sjis = ScanShiftJis(p + firstHigh, size - firstHigh);
    DoubleByteScan euc = ScanEucJp(p + firstHigh, size - firstHigh);
    // Japanese in EUC-JP has kana, and read as Shift-JIS it is mostly half-width katakana.
    if (sjis.Valid && euc.Valid)
        return {euc.Kana > 0 && euc.HalfWidthKana < sjis.HalfWidthKana ? TextEncoding::EucJp
                                                                       : TextEncoding::ShiftJis,
                0};
    if (sjis.Valid) return {TextEncoding::ShiftJis, 0};
    if (euc.Valid) return {TextEncoding::EucJp, 0};
    UINT system = GetACP();
    if (system != 932 && ValidInCodePage(system, data, size))
        return {TextEncoding::SystemCodePage, 0};
    return {TextEncoding::Binary, 0};
}

bool SameCharacterBytes(TextEncoding a, TextEncoding b)
{
    if (a == b) return a != TextEncoding::Binary;
    if (b == TextEncoding::Ascii) std::swap(a, b);
    return a == TextEncoding::Ascii && !IsUtf16(b) && b != TextEncoding::Binary;
}

std::string EncodingName(const DetectedEncoding& encoding)
{
    std::string name;
    switch (encoding.Encoding) {
    case TextEncoding::Ascii:
        name = "ASCII";
        break;
    case TextEncoding::Utf8:
        name = "UTF-8";
        break;
    case TextEncoding::Utf16Le:
        name = "UTF-16LE";
        break;
    case TextEncoding::Utf16Be:
        name = "UTF-16BE";
        break;
    case TextEncoding::ShiftJis:
        name = "Shift-JIS";
        break;
    case TextEncoding::EucJp:
        name = "EUC-JP";
        break;
    case TextEncoding::Iso2022Jp:
        name = "ISO-2022-JP";
        break;
    case TextEncoding::SystemCodePage:
        name = "CP" + std::to_string(GetACP());
        break;
    case TextEncoding::Binary:
        name = "バイナリ";
        break;
    }
    if (encoding.BomLength > 0) name += " (BOM付き)";
    return name;
}

JisState JisStateAfter(const char* data, size_t size, JisState state)
{
    const Byte* p = reinterpret_cast<const Byte*>(data);
    for (const void* at = std::memchr(p, EscapeByte, size); at;) {
        size_t i = static_cast<size_t>(static_cast<const Byte*>(at) - p);
        size_t length = JisEscape(p + i, size - i, state);
        i += length ? length : 1;
        at = i < size ? std::memchr(p + i, EscapeByte, size - i) : nullptr;
    }
    return state;
}

void DecodeText(TextEncoding encoding, const char* data, size_t size, JisState& state,
                std::wstring& out)
{
    const Byte* p = reinterpret_cast<const Byte*>(data);
    switch (encoding) {
    case TextEncoding::Ascii:
    case TextEncoding::Utf8:
        DecodeUtf8(p, size, out);
        break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        DecodeUtf16(p, size, encoding == TextEncoding::Utf16Be, out);
        break;
    case TextEncoding::ShiftJis:
        AppendCodePage(932, data, size, out);
        break;
    case TextEncoding::EucJp:
        DecodeEucJp(p, size, out);
        break;
    case TextEncoding::Iso2022Jp:
        DecodeIso2022Jp(p, size, state, out);
        break;
    case TextEncoding::SystemCodePage:
    case TextEncoding::Binary:
        AppendCodePage(CP_ACP, data, size, out);
        break;
    }
}
