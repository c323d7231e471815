#pragma once
#include <cstddef>

// Scans of whole files sixteen bytes at a time: the C runtime's memchr under Wine is
// several times slower, and these run once or twice over every byte of a pair.

// The first c at or after from, or size when there is none.
size_t FindByte(const char* data, size_t size, size_t from, char c);
// How many c the bytes hold.
size_t CountByte(const char* data, size_t size, char c);

// What one pass over the bytes tells of them.
struct ByteSummary {
    bool Zero = false;   // a zero byte
    size_t FirstHigh;    // the first byte at or above 0x80, or the size
    bool Escape = false; // an ESC (0x1B)
};
ByteSummary SummarizeBytes(const char* data, size_t size);
