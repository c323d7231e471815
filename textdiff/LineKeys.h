#pragma once
#include "textdiff/TextFile.h"
#include "textdiff/TextRules.h"

#include <cstdint>
#include <string>
#include <vector>

// What a line is compared by under the options. Without options (or with only line
// endings ignored, between files of one encoding) that is the line's bytes, as diff
// compares them; otherwise its characters after the rules, plus its ending unless
// endings are ignored.
// Side 0 is file A, side 1 file B.
class LineKeys {
public:
    LineKeys(const char* aBytes, const DetectedEncoding& aEncoding, const char* bBytes,
             const DetectedEncoding& bEncoding, const TextOptions& options);
    LineKeys(const TextFile& a, const TextFile& b, const TextOptions& options)
        : LineKeys(a.Bytes.Data(), a.Encoding, b.Bytes.Data(), b.Encoding, options)
    {
    }

    // The line counts for nothing (a blank line when blank lines are ignored).
    bool Ignored(int side, const TextLine& line)
    {
        return options_.IgnoreBlankLines && IsBlankLine(side, line);
    }
    // The two lines compare equal.
    bool Equal(int sideA, const TextLine& a, int sideB, const TextLine& b);
    // A hash of the line's key; equal keys, equal hashes.
    uint64_t Hash(int side, const TextLine& line);
    // The line's characters after the rules (without its ending), in one of two buffers.
    const std::wstring& Characters(int side, const TextLine& line, int slot = 0);
    bool ComparesBytes() const { return bytes_; }

private:
    const char* data_[2];
    DetectedEncoding encodings_[2];
    TextOptions options_;
    bool bytes_;
    std::wstring scratch_[2];
    uint8_t keyEnding_[2][4]; // bytes of each ending that belong to the key
    size_t KeyLength(int side, const TextLine& line) const
    {
        return line.Length + keyEnding_[side][line.Ending];
    }
    bool IsBlankLine(int side, const TextLine& line);
};

// Each line's class: equal lines, equal numbers, counted from 0 in order of first
// appearance; an ignored line gets -1.
struct LineClasses {
    std::vector<int32_t> A, B;
    size_t Count = 0;
};
LineClasses ClassifyLines(LineKeys& keys, const std::vector<TextLine>& a,
                          const std::vector<TextLine>& b);

// A 64-bit hash of bytes.
uint64_t HashBytes(const void* data, size_t size, uint64_t seed = 0);
