#pragma once
#include "textdiff/TextEncoding.h"

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

// How one line ends.
enum LineEnding : uint8_t { leNone = 0, leLf = 1, leCrLf = 2, leCr = 3 };

// Where lines break: at CR LF, LF and a lone CR (as editors show them), or at LF only
// (as diff and patch read them; a lone CR stays inside its line).
enum class LineBreaks : uint8_t { Any, LfOnly };

// One line of a file: where its bytes stand, its ending, and for ISO-2022-JP the shift
// state it starts in. Sixteen bytes, so a million lines cost 16 MB.
struct TextLine {
    uint64_t Start;   // the first byte (the byte-order mark is part of line 0)
    uint32_t Length;  // bytes without the ending
    LineEnding Ending;
    JisState State;
};

// The line endings of a whole file.
enum class EndingStyle : uint8_t { None, Lf, CrLf, Cr, Mixed };
// "CRLF", "LF", "CR", "混在", "なし".
std::string EndingStyleName(EndingStyle style);
// The bytes of an ending in the file's encoding.
std::string EndingBytes(LineEnding ending, TextEncoding encoding);

// The bytes of a file as a read-only mapped view: nothing is copied, and pages the view
// has not touched cost no memory.
class MappedBytes {
public:
    MappedBytes() = default;
    ~MappedBytes();
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    MappedBytes(MappedBytes&& other) noexcept;
    MappedBytes& operator=(MappedBytes&& other) noexcept;

    // Maps the whole file of an open handle (the handle may be closed afterwards).
    // Throws IoFailure when it cannot.
    void Map(HANDLE file);
    // Bytes held in memory instead (tests, small texts).
    void Hold(std::string bytes);
    const char* Data() const { return view_ ? view_ : held_.data(); }
    size_t Size() const { return size_; }

private:
    const char* view_ = nullptr;
    size_t size_ = 0;
    std::string held_;
};

// A text file read for comparison: its bytes, encoding, and lines.
struct TextFile {
    MappedBytes Bytes;
    DetectedEncoding Encoding;
    EndingStyle Endings = EndingStyle::None;
    std::vector<TextLine> Lines;

    bool IsBinary() const { return Encoding.Encoding == TextEncoding::Binary; }
    // The line's bytes without (or with) its ending.
    const char* LineData(size_t line) const { return Bytes.Data() + Lines[line].Start; }
    std::string LineBytes(size_t line, bool withEnding = false) const;
    size_t EndingLength(size_t line) const;
    // The line's characters without its ending (and without the byte-order mark).
    void DecodeLine(size_t line, std::wstring& out) const;
    std::wstring LineText(size_t line) const;
    // The last line has an ending (or the file is empty).
    bool EndsWithNewline() const { return Lines.empty() || Lines.back().Ending != leNone; }
};

// Walks the lines of bytes in an encoding one by one, keeping none: a file of any size
// is read in one pass.
class LineReader {
public:
    LineReader(const char* data, size_t size, TextEncoding encoding, LineBreaks breaks);
    // The next line; false at the end.
    bool Next(TextLine& line);
    // The endings of the lines read so far.
    EndingStyle Endings() const;

private:
    const char* p_;
    size_t n_;
    size_t pos_ = 0;
    size_t nextCr_;
    TextEncoding encoding_;
    LineBreaks breaks_;
    JisState state_ = jisAscii;
    uint8_t seen_ = 0; // a bit per LineEnding
    bool NextBytes(TextLine& line);
    bool NextUnits(TextLine& line);
    void Take(TextLine& line, size_t start, size_t length, LineEnding ending);
};

// Bytes an ending takes in an encoding (CR LF: 2, or 4 in UTF-16).
size_t EndingLength(LineEnding ending, TextEncoding encoding);
// Appends the characters of a line of the bytes (without its ending, and without the
// byte-order mark when it is the first line) to out.
void DecodeTextLine(const char* bytes, const DetectedEncoding& encoding, const TextLine& line,
                    std::wstring& out);

// Detects the encoding and finds the lines of the bytes already in file.Bytes. A binary
// file gets no lines. Throws IoFailure(ERROR_FILE_TOO_LARGE) for a line past 4 GiB.
void ReadTextLines(TextFile& file, LineBreaks breaks = LineBreaks::Any);
// Maps the open file and reads it.
void LoadTextFile(HANDLE handle, TextFile& file, LineBreaks breaks = LineBreaks::Any);
