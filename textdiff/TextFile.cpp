#include "textdiff/TextFile.h"

#include "textdiff/ByteScan.h"

#include "toolkit/MessageBoxes.h"

#include <cstring>
#include <emmintrin.h>
#include <utility>


std::string EndingStyleName(EndingStyle style)
{
    switch (style) {
    case EndingStyle::Lf:
        return "LF";
    case EndingStyle::CrLf:
        return "CRLF";
    case EndingStyle::Cr:
        return "CR";
    case EndingStyle::Mixed:
        return "混在";
    case EndingStyle::None:
        break;
    }
    return "改行なし";
}

std::string EndingBytes(LineEnding ending, TextEncoding encoding)
{
    const char* ascii = ending == leLf ? "\n" : ending == leCrLf ? "\r\n" : ending == leCr ? "\r" : "";
    std::string bytes;
    for (const char* c = ascii; *c; ++c) {
        if (encoding == TextEncoding::Utf16Be) bytes += '\0';
        bytes += *c;
        if (encoding == TextEncoding::Utf16Le) bytes += '\0';
    }
    return bytes;
}

MappedBytes::~MappedBytes()
{
    if (view_) UnmapViewOfFile(view_);
}

MappedBytes::MappedBytes(MappedBytes&& other) noexcept
{
    *this = std::move(other);
}

MappedBytes& MappedBytes::operator=(MappedBytes&& other) noexcept
{
    if (this == &other) return *this;
    if (view_) UnmapViewOfFile(view_);
    view_ = std::exchange(other.view_, nullptr);
    size_ = std::exchange(other.size_, 0);
    held_ = std::move(other.held_);
    return *this;
}

void MappedBytes::Map(HANDLE file)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) throw IoFailure{GetLastError()};
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    held_.clear();
    size_ = 0;
    if (size.QuadPart == 0) return; // an empty file has nothing to map
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) throw IoFailure{ERROR_FILE_TOO_LARGE};
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) throw IoFailure{GetLastError()};
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    DWORD error = GetLastError();
    CloseHandle(mapping);
    if (!view) throw IoFailure{error};
    view_ = static_cast<const char*>(view);
    size_ = static_cast<size_t>(size.QuadPart);
}

void MappedBytes::Hold(std::string bytes)
{
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    held_ = std::move(bytes);
    size_ = held_.size();
}

std::string TextFile::LineBytes(size_t line, bool withEnding) const
{
    return std::string(LineData(line), Lines[line].Length + (withEnding ? EndingLength(line) : 0));
}

size_t EndingLength(LineEnding ending, TextEncoding encoding)
{
    size_t units = ending == leCrLf ? 2 : ending == leNone ? 0 : 1;
    return IsUtf16(encoding) ? units * 2 : units;
}

void DecodeTextLine(const char* bytes, const DetectedEncoding& encoding, const TextLine& line,
                    std::wstring& out)
{
    size_t skip = line.Start == 0 ? encoding.BomLength : 0;
    if (skip > line.Length) skip = line.Length;
    JisState state = line.State;
    DecodeText(encoding.Encoding, bytes + line.Start + skip, line.Length - skip, state, out);
}

size_t TextFile::EndingLength(size_t line) const
{
    return ::EndingLength(Lines[line].Ending, Encoding.Encoding);
}

void TextFile::DecodeLine(size_t line, std::wstring& out) const
{
    DecodeTextLine(Bytes.Data(), Encoding, Lines[line], out);
}

std::wstring TextFile::LineText(size_t line) const
{
    std::wstring text;
    DecodeLine(line, text);
    return text;
}

LineReader::LineReader(const char* data, size_t size, TextEncoding encoding, LineBreaks breaks)
    : p_(data), n_(size), nextCr_(0), encoding_(encoding), breaks_(breaks)
{
    // Where the next CR stands, so that lone ones are found without a search per line.
    bool crs = breaks_ == LineBreaks::Any && !IsUtf16(encoding_);
    nextCr_ = crs ? FindByte(p_, n_, 0, '\r') : n_;
}

bool LineReader::Next(TextLine& line)
{
    if (pos_ >= n_) return false;
    return IsUtf16(encoding_) ? NextUnits(line) : NextBytes(line);
}

void LineReader::Take(TextLine& line, size_t start, size_t length, LineEnding ending)
{
    if (length > UINT32_MAX) throw IoFailure{ERROR_FILE_TOO_LARGE};
    line = {start, static_cast<uint32_t>(length), ending, state_};
    if (encoding_ == TextEncoding::Iso2022Jp) state_ = JisStateAfter(p_ + start, length, state_);
    if (ending != leNone) seen_ = static_cast<uint8_t>(seen_ | (1u << ending));
}

bool LineReader::NextBytes(TextLine& line)
{
    auto find = [this](char c, size_t from) { return FindByte(p_, n_, from, c); };
    size_t start = pos_;
    size_t feed = find('\n', start);
    if (breaks_ == LineBreaks::Any && nextCr_ < start) nextCr_ = find('\r', start);
    // A CR that no LF follows ends a line of its own.
    if (breaks_ == LineBreaks::Any && nextCr_ < feed && (nextCr_ + 1 != feed || feed == n_)) {
        Take(line, start, nextCr_ - start, leCr);
        pos_ = nextCr_ + 1;
    } else if (feed == n_) {
        Take(line, start, n_ - start, leNone);
        pos_ = n_;
    } else {
        bool crBefore = feed > start && p_[feed - 1] == '\r';
        Take(line, start, feed - start - (crBefore ? 1 : 0), crBefore ? leCrLf : leLf);
        pos_ = feed + 1;
    }
    return true;
}

bool LineReader::NextUnits(TextLine& line)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(p_);
    const bool big = encoding_ == TextEncoding::Utf16Be;
    auto unit = [&](size_t at) { return big ? (p[at] << 8) | p[at + 1] : p[at] | (p[at + 1] << 8); };
    size_t start = pos_;
    for (size_t at = start; at + 1 < n_; at += 2) {
        int u = unit(at);
        if (u == '\n') {
            bool crBefore = at >= start + 2 && unit(at - 2) == '\r';
            Take(line, start, at - start - (crBefore ? 2 : 0), crBefore ? leCrLf : leLf);
            pos_ = at + 2;
            return true;
        }
        if (u == '\r' && breaks_ == LineBreaks::Any && !(at + 3 < n_ && unit(at + 2) == '\n')) {
            Take(line, start, at - start, leCr);
            pos_ = at + 2;
            return true;
        }
    }
    Take(line, start, n_ - start, leNone);
    pos_ = n_;
    return true;
}

EndingStyle LineReader::Endings() const
{
    switch (seen_) {
    case 0:
        return EndingStyle::None;
    case 1u << leLf:
        return EndingStyle::Lf;
    case 1u << leCrLf:
        return EndingStyle::CrLf;
    case 1u << leCr:
        return EndingStyle::Cr;
    }
    return EndingStyle::Mixed;
}

namespace {
// Lines of 8-bit text that break at LF only, found sixteen bytes at a time and placed
// straight into the file's list.
EndingStyle SplitAtFeeds(TextFile& file)
{
    const char* p = file.Bytes.Data();
    const size_t n = file.Bytes.Size();
    std::vector<TextLine>& lines = file.Lines;
    bool lf = false, crlf = false;
    size_t start = 0;
    auto add = [&](size_t feed) {
        bool cr = feed > start && p[feed - 1] == '\r';
        size_t length = feed - start - (cr ? 1 : 0);
        if (length > UINT32_MAX) throw IoFailure{ERROR_FILE_TOO_LARGE};
        lines.push_back({start, static_cast<uint32_t>(length), cr ? leCrLf : leLf, jisAscii});
        (cr ? crlf : lf) = true;
        start = feed + 1;
    };
    const __m128i wanted = _mm_set1_epi8('\n');
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), wanted)));
        for (; mask; mask &= mask - 1)
            add(i + static_cast<size_t>(__builtin_ctz(mask)));
    }
    for (; i < n; ++i)
        if (p[i] == '\n') add(i);
    if (start < n) {
        if (n - start > UINT32_MAX) throw IoFailure{ERROR_FILE_TOO_LARGE};
        lines.push_back({start, static_cast<uint32_t>(n - start), leNone, jisAscii});
    }
    if (lf && crlf) return EndingStyle::Mixed;
    return crlf ? EndingStyle::CrLf : lf ? EndingStyle::Lf : EndingStyle::None;
}
} // namespace

void ReadTextLines(TextFile& file, LineBreaks breaks)
{
    file.Lines.clear();
    file.Encoding = DetectEncoding(file.Bytes.Data(), file.Bytes.Size());
    file.Endings = EndingStyle::None;
    if (file.IsBinary()) return;
    const TextEncoding encoding = file.Encoding.Encoding;
    // Counted first, so that a million lines are placed once.
    if (!IsUtf16(encoding))
        file.Lines.reserve(CountByte(file.Bytes.Data(), file.Bytes.Size(), '\n') + 1);
    if (!IsUtf16(encoding) && encoding != TextEncoding::Iso2022Jp &&
        (breaks == LineBreaks::LfOnly ||
         FindByte(file.Bytes.Data(), file.Bytes.Size(), 0, '\r') == file.Bytes.Size())) {
        file.Endings = SplitAtFeeds(file);
        return;
    }
    LineReader reader(file.Bytes.Data(), file.Bytes.Size(), encoding, breaks);
    TextLine line;
    while (reader.Next(line))
        file.Lines.push_back(line);
    file.Endings = reader.Endings();
}

void LoadTextFile(HANDLE handle, TextFile& file, LineBreaks breaks)
{
    file.Bytes.Map(handle);
    ReadTextLines(file, breaks);
}
