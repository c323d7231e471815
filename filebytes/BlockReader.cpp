#include "filebytes/BlockReader.h"

#include "toolkit/MessageBoxes.h"

#include <algorithm>

BlockReader::BlockReader(HANDLE file, int64_t size, DWORD blockSize, ReadRoute route)
    : file_(file), blockSize_(blockSize),
      // A small file gets a buffer of one block: a large buffer is memory mapped and
      // unmapped per file by the heap, which costs more than reading a small file.
      bufferSize_(size < static_cast<int64_t>(ReadChunkSize) ? blockSize
                                                             : std::max(ReadChunkSize, blockSize))
{
    bool views =
        route == ReadRoute::Views || (route == ReadRoute::Chosen && size >= MappedReadMinimum);
    // A file the platform will not map (an empty one, a pipe, a share that refuses) is read.
    if (views) mapping_ = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_) {
        mappedSize_ = size;
    } else {
        reading_ = true;
    }
}

BlockReader::~BlockReader()
{
    DropView();
    if (mapping_) CloseHandle(mapping_);
}

void BlockReader::DropView()
{
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    viewSize_ = 0;
}

const uint8_t* BlockReader::Next(DWORD& count)
{
    lastBlock_ = position_;
    const uint8_t* block = reading_ ? nullptr : NextFromView(count);
    fromView_ = block != nullptr;
    if (!block) block = NextRead(count);
    position_ += count;
    return block;
}

const uint8_t* BlockReader::NextFromView(DWORD& count)
{
    // Past the mapped part the file is read: a file that grew since, and at its end the
    // read that finds nothing more.
    if (position_ >= mappedSize_) {
        ReadFrom(position_);
        return nullptr;
    }
    if (!view_ || position_ < viewStart_ ||
        position_ >= viewStart_ + static_cast<int64_t>(viewSize_)) {
        DropView();
        viewStart_ =
            position_ / static_cast<int64_t>(ViewWindowSize) * static_cast<int64_t>(ViewWindowSize);
        viewSize_ =
            static_cast<size_t>(std::min<int64_t>(ViewWindowSize, mappedSize_ - viewStart_));
        view_ = static_cast<const uint8_t*>(
            MapViewOfFile(mapping_, FILE_MAP_READ, static_cast<DWORD>(viewStart_ >> 32),
                          static_cast<DWORD>(viewStart_), viewSize_));
        if (!view_) {
            // The platform refused this part (the file shrank, no address space): read it.
            viewSize_ = 0;
            ReadFrom(position_);
            return nullptr;
        }
    }
    int64_t left = viewStart_ + static_cast<int64_t>(viewSize_) - position_;
    count = static_cast<DWORD>(std::min<int64_t>(blockSize_, left));
    return view_ + (position_ - viewStart_);
}

void BlockReader::ReadFrom(int64_t position)
{
    DropView();
    reading_ = true;
    buffered_ = handedOut_ = 0;
    LARGE_INTEGER to;
    to.QuadPart = position;
    if (!SetFilePointerEx(file_, to, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
}

const uint8_t* BlockReader::NextRead(DWORD& count)
{
    if (handedOut_ == buffered_) {
        if (!buffer_) buffer_.reset(new uint8_t[bufferSize_]);
        buffered_ = handedOut_ = 0;
        if (!ReadFile(file_, buffer_.get(), bufferSize_, &buffered_, nullptr))
            throw IoFailure{GetLastError()};
    }
    count = std::min(blockSize_, buffered_ - handedOut_);
    const uint8_t* block = buffer_.get() + handedOut_;
    handedOut_ += count;
    return block;
}

const uint8_t* BlockReader::Reread(DWORD& count)
{
    position_ = lastBlock_;
    ReadFrom(position_);
    return Next(count);
}
