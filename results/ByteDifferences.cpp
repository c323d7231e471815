#include "results/ByteDifferences.h"

#include "engine/Util.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>
#include <cstring>

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Read-only, with others free to read and write meanwhile, as the in-use test opens it.
FileHandle OpenForDump(const FilePath& path)
{
    HANDLE h = OpenForReading(path, FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    return FileHandle(h);
}

// Fills the block as far as the file goes; fewer bytes at the end are no error.
DWORD ReadBlock(HANDLE file, uint8_t* buffer)
{
    DWORD total = 0;
    while (total < DumpBlockSize) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, DumpBlockSize - total, &got, nullptr))
            throw IoFailure{GetLastError()};
        if (got == 0) break;
        total += got;
    }
    return total;
}

} // namespace

void AppendByteDifferenceText(std::string& out, const ByteDifference& d, int column)
{
    // Written by hand: a million rows of seven cells, where a formatted print costs most.
    static const char hex[] = "0123456789ABCDEF";
    bool reference =
        column == bdReferenceHex || column == bdReferenceDecimal || column == bdReferenceChar;
    uint8_t byte = reference ? d.Reference : d.Target;
    bool missing = reference ? d.ReferenceMissing : d.TargetMissing;
    switch (column) {
    case bdAddress: {
        unsigned long long offset = static_cast<unsigned long long>(d.Offset);
        int digits = 8;
        while (digits < 16 && (offset >> (4 * digits)) != 0)
            ++digits;
        for (int i = digits - 1; i >= 0; --i)
            out += hex[(offset >> (4 * i)) & 0xF];
        return;
    }
    case bdReferenceHex:
    case bdTargetHex:
        if (missing) return;
        out += hex[byte >> 4];
        out += hex[byte & 0xF];
        return;
    case bdReferenceDecimal:
    case bdTargetDecimal:
        if (missing) return;
        out += byte >= 100 ? static_cast<char>('0' + byte / 100) : ' ';
        out += byte >= 10 ? static_cast<char>('0' + byte / 10 % 10) : ' ';
        out += static_cast<char>('0' + byte % 10);
        return;
    case bdReferenceChar:
    case bdTargetChar:
        if (byte) out += static_cast<char>(byte);
        return;
    }
}

std::string ByteDifferenceText(const ByteDifference& d, int column)
{
    std::string text;
    AppendByteDifferenceText(text, d, column);
    return text;
}

size_t ByteDifferenceLimit = 100000000;

ByteDifference ByteDifferenceList::operator[](size_t row) const
{
    // The block of the row: the last one that starts at or before it.
    auto block = std::upper_bound(blocks_.begin(), blocks_.end(), row,
                                  [](size_t r, const Block& b) { return r < b.FirstRow; });
    --block;
    uint32_t packed = chunks_[row / ChunkRows][row % ChunkRows];
    int64_t offset = block->Offset + (packed >> 16);
    return {offset, static_cast<uint8_t>(packed >> 8), static_cast<uint8_t>(packed),
            offset >= referenceLength_, offset >= targetLength_};
}

void ByteDifferenceList::Add(int64_t offset, uint8_t reference, uint8_t target)
{
    int64_t blockOffset = offset & ~static_cast<int64_t>(0xFFFF);
    if (blocks_.empty() || blocks_.back().Offset != blockOffset)
        blocks_.push_back({blockOffset, size_});
    if (size_ == chunks_.size() * ChunkRows)
        chunks_.push_back(std::unique_ptr<uint32_t[]>(new uint32_t[ChunkRows]));
    chunks_[size_ / ChunkRows][size_ % ChunkRows] = static_cast<uint32_t>(offset - blockOffset)
                                                        << 16 |
                                                    static_cast<uint32_t>(reference) << 8 | target;
    ++size_;
}

void ByteDifferenceList::clear()
{
    blocks_.clear();
    chunks_.clear();
    size_ = 0;
    referenceLength_ = targetLength_ = INT64_MAX;
}

void ByteDifferenceList::SetLengths(int64_t reference, int64_t target)
{
    referenceLength_ = reference;
    targetLength_ = target;
}

bool ScanDifferences(const FilePath& reference, const FilePath& target, ByteDifferenceSink& sink)
{
    FileHandle referenceFile = OpenForDump(reference);
    FileHandle targetFile = OpenForDump(target);
    std::vector<uint8_t> r(DumpBlockSize), t(DumpBlockSize);
    bool referenceEnded = false, targetEnded = false;
    for (int64_t pos = 0; !(referenceEnded && targetEnded);) {
        DWORD rCount = referenceEnded ? 0 : ReadBlock(referenceFile.get(), r.data());
        DWORD tCount = targetEnded ? 0 : ReadBlock(targetFile.get(), t.data());
        referenceEnded = rCount < DumpBlockSize;
        targetEnded = tCount < DumpBlockSize;
        DWORD common = std::min(rCount, tCount);
        if (common && std::memcmp(r.data(), t.data(), common) != 0) {
            for (DWORD i = 0; i < common; ++i)
                if (r[i] != t[i] && !sink.Row({pos + i, r[i], t[i]})) return false;
        }
        // Past the shorter file's end every position differs: one side has no byte there.
        for (DWORD i = common; i < std::max(rCount, tCount); ++i) {
            bool referenceMissing = i >= rCount;
            ByteDifference row{pos + i, referenceMissing ? uint8_t(0) : r[i],
                               referenceMissing ? t[i] : uint8_t(0), referenceMissing,
                               !referenceMissing};
            if (!sink.Row(row)) return false;
        }
        sink.AtFixedPoint();
        pos += std::max(rCount, tCount);
    }
    return true;
}

std::string ByteCsvHeaderLine(CsvEncoding encoding)
{
    return CsvLine({"アドレス", "基準(16進)", "対象(16進)", "基準(10進)", "対象(10進)",
                    "基準(ASCII)", "対象(ASCII)"},
                   encoding);
}

void AppendByteCsvLine(std::string& out, const ByteDifference& row, CsvEncoding encoding)
{
    if (encoding != CsvEncoding::ShiftJis) {
        out += ByteCsvLine(row, encoding);
        return;
    }
    for (int column = bdAddress; column <= bdTargetChar; ++column) {
        if (column != bdAddress) out += ',';
        size_t start = out.size();
        AppendByteDifferenceText(out, row, column);
        // Only a character cell can hold what needs quotes.
        if (column >= bdReferenceChar && out.find_first_of(",\"\r\n", start) != std::string::npos) {
            std::string cell = out.substr(start);
            out.resize(start);
            out += CsvField(cell);
        }
    }
    out += "\r\n";
}

std::string ByteCsvLine(const ByteDifference& row, CsvEncoding encoding)
{
    std::vector<std::string> fields;
    for (int column = bdAddress; column <= bdTargetChar; ++column)
        fields.push_back(ByteDifferenceText(row, column));
    return CsvLine(fields, encoding);
}
