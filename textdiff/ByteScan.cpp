#include "textdiff/ByteScan.h"

#include <emmintrin.h>

namespace {
__m128i Load(const char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

int MaskOf(const char* p, __m128i c)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(Load(p), c));
}
} // namespace

size_t FindByte(const char* data, size_t size, size_t from, char c)
{
    const __m128i wanted = _mm_set1_epi8(c);
    size_t i = from;
    for (; i + 16 <= size; i += 16)
        if (int mask = MaskOf(data + i, wanted)) return i + static_cast<size_t>(__builtin_ctz(mask));
    for (; i < size; ++i)
        if (data[i] == c) return i;
    return size;
}

size_t CountByte(const char* data, size_t size, char c)
{
    const __m128i wanted = _mm_set1_epi8(c);
    size_t count = 0, i = 0;
    for (; i + 16 <= size; i += 16)
        count += static_cast<size_t>(__builtin_popcount(static_cast<unsigned>(MaskOf(data + i, wanted))));
    for (; i < size; ++i)
        count += data[i] == c;
    return count;
}

ByteSummary SummarizeBytes(const char* data, size_t size)
{
    ByteSummary summary;
    summary.FirstHigh = size;
    const __m128i zero = _mm_setzero_si128(), escape = _mm_set1_epi8(0x1B);
    size_t i = 0;
    int zeros = 0, escapes = 0;
    for (; i + 16 <= size; i += 16) {
        __m128i v = Load(data + i);
        int high = _mm_movemask_epi8(v);
        if (high && summary.FirstHigh == size)
            summary.FirstHigh = i + static_cast<size_t>(__builtin_ctz(high));
        zeros |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, zero));
        escapes |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, escape));
    }
    for (; i < size; ++i) {
        unsigned char b = static_cast<unsigned char>(data[i]);
        if (b >= 0x80 && summary.FirstHigh == size) summary.FirstHigh = i;
        zeros |= b == 0;
        escapes |= b == 0x1B;
    }
    summary.Zero = zeros != 0;
    summary.Escape = escapes != 0;
    return summary;
}
