#pragma once
#include "engine/FilePath.h"
#include "results/ResultExport.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int DumpBlockSize = 32768;

// One differing position of a pair; a million of them must stay cheap. Past the end of
// the shorter file its side is missing (its byte reads 0 but shows as nothing).
struct ByteDifference {
    int64_t Offset;
    uint8_t Reference;
    uint8_t Target;
    bool ReferenceMissing = false;
    bool TargetMissing = false;
};

// The differing positions of one pair as the view holds them: four bytes a row (the place
// in its block of the dump and the two bytes), and per block with differences its offset
// and first row. Rows are kept in fixed chunks, so growing never copies what is held.
class ByteDifferenceList {
public:
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    ByteDifference operator[](size_t row) const;
    // Adds a row; the offsets come in increasing order. Throws std::bad_alloc when no
    // memory is left for the next chunk.
    void Add(int64_t offset, uint8_t reference, uint8_t target);
    void clear();
    // The lengths of the two files as the dump read them; rows at or past a length show
    // that side as missing.
    void SetLengths(int64_t reference, int64_t target);
    // What one row costs, blocks and chunks aside.
    static constexpr size_t BytesPerRow = 4;

private:
    static constexpr size_t ChunkRows = 1 << 16;
    struct Block {
        int64_t Offset;
        size_t FirstRow;
    };
    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<uint32_t[]>> chunks_;
    size_t size_ = 0;
    int64_t referenceLength_ = INT64_MAX, targetLength_ = INT64_MAX;
};

// The most rows the view holds: a list view draws rows at y = row x row height in 32 bits,
// so past about a hundred million rows it shows nothing. Tests set it small.
extern size_t ByteDifferenceLimit;

enum ByteDifferenceColumn {
    bdAddress = 0,
    bdReferenceHex,
    bdTargetHex,
    bdReferenceDecimal,
    bdTargetDecimal,
    bdReferenceChar,
    bdTargetChar,
};

// "0000001F", "0A", "  7", the byte itself ("" for a zero byte); "" for a missing side.
std::string ByteDifferenceText(const ByteDifference& difference, int column);

// Where the differing positions of a scan go.
struct ByteDifferenceSink {
    virtual ~ByteDifferenceSink() = default;
    // One differing position; false ends the scan.
    virtual bool Row(const ByteDifference& row) = 0;
    // After each block, where the window program lets messages through.
    virtual void AtFixedPoint() {}
};

// Reads both files in blocks of DumpBlockSize and gives the sink every position at which
// they differ, in increasing order: positions both hold with different bytes, and every
// position past the shorter file's end. Returns false when the sink ended it. Throws
// IoFailure when a file cannot be opened or read; both files are closed either way.
bool ScanDifferences(const FilePath& reference, const FilePath& target, ByteDifferenceSink& sink);

// The byte list as CSV: the view's column headers, then one line per row of texts.
std::string ByteCsvHeaderLine(CsvEncoding encoding);
std::string ByteCsvLine(const ByteDifference& row, CsvEncoding encoding);
// The same appended to out, without a string of its own per row or cell.
void AppendByteCsvLine(std::string& out, const ByteDifference& row, CsvEncoding encoding);
void AppendByteDifferenceText(std::string& out, const ByteDifference& difference, int column);
