#pragma once
#include <cstdint>
#include <memory>
#include <windows.h>

// How a file's bytes reach the reader.
enum class ReadRoute {
    Chosen, // mapped views for files of MappedReadMinimum bytes or more, reads below
    Reads,  // ReadFile only
    Views,  // mapped views whenever the platform maps the file
};

// From this size on a view costs less than the reads: below it, the calls that make
// and drop a view cost more than copying the bytes.
constexpr int64_t MappedReadMinimum = int64_t{1} << 20;
// How much of a file one view holds (a multiple of the allocation granularity and of
// every block size). Fewer, larger views were faster under Wine up to about this size.
constexpr size_t ViewWindowSize = size_t{64} << 20;
// What one ReadFile asks for: larger reads gained nothing under Wine, and this keeps
// the copy in the processor's cache.
constexpr DWORD ReadChunkSize = 128 * 1024;

// One open file's bytes, block by block from its start, without copying them where the
// file can be mapped. A block holds blockSize bytes, fewer only where the file ends;
// past its end blocks are empty. The reader reads on past the size it was given (a file
// that grew) and survives a view whose file shrank (see Reread). The file stays open;
// the caller closes it after the reader is gone.
class BlockReader {
public:
    BlockReader(HANDLE file, int64_t size, DWORD blockSize, ReadRoute route = ReadRoute::Chosen);
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // The next block and its length. Throws IoFailure when a read fails.
    const uint8_t* Next(DWORD& count);
    // The last block once more, through ReadFile: after reading it from its view faulted
    // (FirstDifference gave ReadFaulted). Reading goes on that way. Throws IoFailure.
    const uint8_t* Reread(DWORD& count);
    // The last block came from a mapped view.
    bool FromView() const { return fromView_; }

private:
    const uint8_t* NextFromView(DWORD& count);
    const uint8_t* NextRead(DWORD& count);
    void ReadFrom(int64_t position);
    void DropView();

    HANDLE file_;
    DWORD blockSize_;
    DWORD bufferSize_; // what one ReadFile asks for
    HANDLE mapping_ = nullptr;
    int64_t mappedSize_ = 0; // the part of the file the mapping covers
    const uint8_t* view_ = nullptr;
    int64_t viewStart_ = 0;
    size_t viewSize_ = 0;
    int64_t position_ = 0;  // where the next block starts
    int64_t lastBlock_ = 0; // where the last block started
    bool fromView_ = false;
    bool reading_ = false; // the file pointer stands at the end of the buffered bytes
    std::unique_ptr<uint8_t[]> buffer_;
    DWORD buffered_ = 0;  // bytes of the last read
    DWORD handedOut_ = 0; // of which already given as blocks
};
