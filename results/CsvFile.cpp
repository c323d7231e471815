#include "results/CsvFile.h"

#include "engine/FilePath.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>
#include <exception>

namespace {
const char Utf8Mark[] = "\xEF\xBB\xBF";
const size_t FlushSize = 1 << 20;
// How much of an appended file's start and end tells its encoding.
const int64_t SampleSize = 1 << 16;

// A short write is a full disk, even when the call itself reported success.
void WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            throw IoFailure{GetLastError()};
        if (written != chunk) throw IoFailure{ERROR_DISK_FULL};
        done += written;
    }
}

std::string ReadAt(HANDLE file, int64_t offset, int64_t count)
{
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
    std::string bytes(static_cast<size_t>(count), '\0');
    DWORD got = 0;
    if (count > 0 && !ReadFile(file, bytes.data(), static_cast<DWORD>(count), &got, nullptr))
        throw IoFailure{GetLastError()};
    bytes.resize(got);
    return bytes;
}

// Whether the bytes read as UTF-8; a sample may start or end inside a character.
bool ReadsAsUtf8(const std::string& bytes, bool cutAtStart)
{
    size_t i = 0;
    if (cutAtStart)
        while (i < bytes.size() && i < 3 && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80)
            ++i;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3
                                                       : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || (length == 2 && c < 0xC2)) return false;
        for (size_t k = 1; k < length; ++k) {
            if (i + k == bytes.size()) return true; // the sample ends inside it
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

bool IsAscii(const std::string& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The encoding an existing file is continued in, from its first and last bytes.
CsvEncoding ExistingEncoding(const std::string& head, const std::string& tail, bool tailCut,
                             CsvEncoding chosen)
{
    if (head.compare(0, 3, Utf8Mark) == 0) return CsvEncoding::Utf8;
    // A zero byte is no character of Shift-JIS or UTF-8 text: UTF-16, or no text at all.
    if (head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0 ||
        head.find('\0') != std::string::npos || tail.find('\0') != std::string::npos)
        throw UnappendableFile{"UTF-16 のファイル（またはテキストではないファイル）には追記できません。"};
    // Without the mark, UTF-8 only where it shows (plain ASCII is taken for Shift-JIS, as
    // every earlier file without the mark was).
    if (!(IsAscii(head) && IsAscii(tail)) && ReadsAsUtf8(head, false) && ReadsAsUtf8(tail, tailCut))
        return CsvEncoding::Utf8;
    // Names outside Shift-JIS would become "?" there: refused rather than written so.
    if (chosen == CsvEncoding::Utf8)
        throw UnappendableFile{"Shift-JIS のファイルには UTF-8 で追記できません。"
                               "Shift-JIS で保存するか、別のファイルを指定してください。"};
    return CsvEncoding::ShiftJis;
}
} // namespace

CsvFile::CsvFile(const std::wstring& path, bool overwrite, CsvEncoding chosen)
    : path_(LongPathForm(path)), encoding_(chosen), exceptionsAtOpen_(std::uncaught_exceptions())
{
    handle_ = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          overwrite ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    created_ = GetLastError() != ERROR_ALREADY_EXISTS;
    try {
        if (!overwrite) ContinueAfterEnd(chosen);
        if (oldEnd_ <= 0 && encoding_ == CsvEncoding::Utf8) pending_ = Utf8Mark;
    } catch (...) {
        CloseHandle(handle_);
        if (created_) DeleteFileW(path_.c_str());
        throw;
    }
}

void CsvFile::ContinueAfterEnd(CsvEncoding chosen)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) throw IoFailure{GetLastError()};
    oldEnd_ = size.QuadPart;
    if (oldEnd_ == 0) return;
    int64_t tailFrom = std::max<int64_t>(0, oldEnd_ - SampleSize);
    std::string head = ReadAt(handle_, 0, std::min(oldEnd_, SampleSize));
    std::string tail = ReadAt(handle_, tailFrom, oldEnd_ - tailFrom);
    encoding_ = ExistingEncoding(head, tail, tailFrom > 0, chosen);
    // The new lines start on a line of their own, never glued to the last record.
    if (tail.back() == '\r')
        pending_ = "\n";
    else if (tail.back() != '\n')
        pending_ = "\r\n";
    LARGE_INTEGER end = size;
    if (!SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
}

CsvFile::~CsvFile()
{
    // Left by a failure: nothing half-written stays, and an appended file is as it was.
    if (std::uncaught_exceptions() > exceptionsAtOpen_) {
        if (oldEnd_ >= 0) {
            LARGE_INTEGER end{};
            end.QuadPart = oldEnd_;
            if (SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN)) SetEndOfFile(handle_);
        }
        CloseHandle(handle_);
        if (created_) DeleteFileW(path_.c_str());
        return;
    }
    CloseHandle(handle_);
}

void CsvFile::Write(const std::string& bytes)
{
    pending_ += bytes;
    if (pending_.size() >= FlushSize) Flush();
}

void CsvFile::Flush()
{
    WriteAll(handle_, pending_);
    pending_.clear();
}
