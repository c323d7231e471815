#include "textdiff/LineKeys.h"

#include <cstring>

namespace {
uint64_t Mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

// Bytes of ASCII white space only; false as soon as a byte needs decoding to tell.
bool AsciiBlank(const char* p, size_t n, bool& decided)
{
    decided = true;
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        if (c >= 0x80) {
            decided = false;
            return false;
        }
        if (c != ' ' && !(c >= 0x09 && c <= 0x0D)) return false;
    }
    return true;
}
// Short runs compared in words: the C runtime's memcmp costs more than most lines.
bool SameBytes(const char* a, const char* b, size_t n)
{
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        uint64_t x, y;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y) return false;
    }
    for (; n > 0; --n)
        if (*a++ != *b++) return false;
    return true;
}
} // namespace

uint64_t HashBytes(const void* data, size_t size, uint64_t seed)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    uint64_t h = seed ^ (size * 0x9E3779B97F4A7C15ull);
    while (size >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ Mix(word)) * 0x9E3779B97F4A7C15ull;
        h = (h << 29) | (h >> 35);
        p += 8;
        size -= 8;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, p, size);
    return Mix(h ^ tail ^ (static_cast<uint64_t>(size) << 56));
}

LineKeys::LineKeys(const char* aBytes, const DetectedEncoding& aEncoding, const char* bBytes,
                   const DetectedEncoding& bEncoding, const TextOptions& options)
    : data_{aBytes, bBytes}, encodings_{aEncoding, bEncoding}, options_(options)
{
    bool sameEncoding = SameCharacterBytes(aEncoding.Encoding, bEncoding.Encoding) &&
                        aEncoding.BomLength == bEncoding.BomLength;
    bytes_ = !options.ChangesCharacters() && (!options.Any() || sameEncoding);
    for (int side = 0; side < 2; ++side)
        for (LineEnding ending : {leNone, leLf, leCrLf, leCr})
            keyEnding_[side][ending] = static_cast<uint8_t>(
                options.IgnoreEol ? 0 : EndingLength(ending, encodings_[side].Encoding));
}

const std::wstring& LineKeys::Characters(int side, const TextLine& line, int slot)
{
    std::wstring& text = scratch_[slot];
    text.clear();
    DecodeTextLine(data_[side], encodings_[side], line, text);
    ApplyCharacterRules(options_, text);
    return text;
}

bool LineKeys::IsBlankLine(int side, const TextLine& line)
{
    if (!IsUtf16(encodings_[side].Encoding)) {
        bool decided;
        bool blank = AsciiBlank(data_[side] + line.Start, line.Length, decided);
        if (decided) return blank;
    }
    const std::wstring& text = Characters(side, line);
    return IsBlankText(text.data(), text.size());
}

uint64_t LineKeys::Hash(int side, const TextLine& line)
{
    if (bytes_) return HashBytes(data_[side] + line.Start, KeyLength(side, line));
    const std::wstring& text = Characters(side, line);
    uint64_t ending = options_.IgnoreEol ? 0 : line.Ending;
    return HashBytes(text.data(), text.size() * sizeof(wchar_t), ending + 1);
}

bool LineKeys::Equal(int sideA, const TextLine& a, int sideB, const TextLine& b)
{
    if (bytes_) {
        size_t length = KeyLength(sideA, a);
        return length == KeyLength(sideB, b) &&
               SameBytes(data_[sideA] + a.Start, data_[sideB] + b.Start, length);
    }
    if (!options_.IgnoreEol && a.Ending != b.Ending) return false;
    return Characters(sideA, a, 0) == Characters(sideB, b, 1);
}

LineClasses ClassifyLines(LineKeys& keys, const std::vector<TextLine>& a,
                          const std::vector<TextLine>& b)
{
    struct Class {
        uint64_t Hash;
        uint32_t Line;
        int Side;
    };
    LineClasses classes;
    classes.A.resize(a.size());
    classes.B.resize(b.size());
    size_t capacity = 16;
    while (capacity < 2 * (a.size() + b.size()))
        capacity <<= 1;
    // A slot holds a class and the high half of its hash, so that a probe rarely looks
    // further than the slot.
    struct Slot {
        int32_t Id;
        uint32_t Tag;
    };
    std::vector<Slot> table(capacity, Slot{-1, 0});
    std::vector<Class> found;
    found.reserve(a.size() + 1);
    const size_t mask = capacity - 1;
    const std::vector<TextLine>* lines[2] = {&a, &b};
    for (int side = 0; side < 2; ++side) {
        std::vector<int32_t>& out = side == 0 ? classes.A : classes.B;
        const std::vector<TextLine>& in = *lines[side];
        for (size_t line = 0; line < in.size(); ++line) {
            if (keys.Ignored(side, in[line])) {
                out[line] = -1;
                continue;
            }
            uint64_t hash = keys.Hash(side, in[line]);
            const uint32_t tag = static_cast<uint32_t>(hash >> 32);
            for (size_t slot = static_cast<size_t>(hash) & mask;; slot = (slot + 1) & mask) {
                int32_t id = table[slot].Id;
                if (id < 0) {
                    id = static_cast<int32_t>(found.size());
                    found.push_back({hash, static_cast<uint32_t>(line), side});
                    table[slot] = {id, tag};
                    out[line] = id;
                    break;
                }
                if (table[slot].Tag != tag) continue;
                const Class& c = found[static_cast<size_t>(id)];
                if (c.Hash == hash && keys.Equal(c.Side, (*lines[c.Side])[c.Line], side, in[line])) {
                    out[line] = id;
                    break;
                }
            }
        }
    }
    classes.Count = found.size();
    return classes;
}
