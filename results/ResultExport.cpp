#include "results/ResultExport.h"

#include "engine/Util.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>

namespace {
const DWORD EofMarkWindow = 128;
const char Utf8Mark[] = "\xEF\xBB\xBF";
const size_t FlushSize = 1 << 20;

// An appended file goes on from its end, or from the first 1A mark near the end.
void MoveToAppendPoint(HANDLE file)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) throw IoFailure{GetLastError()};
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart > EofMarkWindow ? size.QuadPart - EofMarkWindow : 0;
    if (!SetFilePointerEx(file, from, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
    std::string tail(static_cast<size_t>(size.QuadPart - from.QuadPart), '\0');
    DWORD got = 0;
    if (!tail.empty() &&
        !ReadFile(file, tail.data(), static_cast<DWORD>(tail.size()), &got, nullptr))
        throw IoFailure{GetLastError()};
    size_t mark = tail.find('\x1A');
    LARGE_INTEGER end = size;
    if (mark != std::string::npos && mark < got) end.QuadPart = from.QuadPart + mark;
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
    if (end.QuadPart != size.QuadPart && !SetEndOfFile(file)) throw IoFailure{GetLastError()};
}

// The first bytes of an existing file, which tell its encoding.
std::string StartOf(HANDLE file)
{
    char start[3] = {};
    DWORD got = 0;
    if (!ReadFile(file, start, sizeof start, &got, nullptr)) throw IoFailure{GetLastError()};
    return std::string(start, got);
}

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

std::string QuotedIfNeeded(std::string text)
{
    // Shift-JIS trail bytes start at 40, so these bytes are always characters of their own.
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::wstring RealRowPath(const std::string& srcFolder, const FilePairEntry& row,
                         const std::wstring& realSrcFolder)
{
    std::wstring folder = WideOf(row.Folder), name = WideOf(row.Name);
    if (!row.RealPath.empty()) {
        size_t slash = row.RealPath.rfind(L'\\');
        size_t split = slash == std::wstring::npos ? 0 : slash + 1;
        folder = row.RealPath.substr(0, split);
        name = row.RealPath.substr(split);
    }
    if (srcFolder.empty()) return folder + name;
    std::wstring base = realSrcFolder.empty() ? WideOf(srcFolder) : realSrcFolder;
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    return base + folder + name;
}
std::string CsvField(const std::string& text)
{
    return QuotedIfNeeded(text);
}

std::string CsvLine(const std::vector<std::string>& fields, CsvEncoding encoding)
{
    // Field by field: a lone lead byte (a byte list's character cell) must not take the
    // separator after it into its character.
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) line += ',';
        line += CsvField(encoding == CsvEncoding::Utf8 ? Utf8Of(WideOf(fields[i])) : fields[i]);
    }
    return line + "\r\n";
}

std::string CsvHeaderLine(CsvEncoding encoding)
{
    return CsvLine({"ファイル名", "日付", "サイズ", "内容"}, encoding);
}

std::string CsvRowLine(const std::string& srcFolder, const FilePairEntry& row, CsvEncoding encoding,
                       const std::wstring& realSrcFolder)
{
    std::string line = CsvField(RowFolderPath(srcFolder, row.Folder) + row.Name);
    if (encoding == CsvEncoding::Utf8)
        line = QuotedIfNeeded(Utf8Of(RealRowPath(srcFolder, row, realSrcFolder)));
    for (int column : {rcDate, rcSize, rcContents}) {
        line += ',';
        const std::string& text = ResultRowText(row, column);
        line += encoding == CsvEncoding::Utf8 ? Utf8Of(WideOf(text)) : text;
    }
    return line + "\r\n";
}

CsvFile::CsvFile(const std::wstring& path, bool overwrite, CsvEncoding chosen) : encoding_(chosen)
{
    handle_ = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                          nullptr, overwrite ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    try {
        std::string start = overwrite ? std::string() : StartOf(handle_);
        if (start.compare(0, 2, "\xFF\xFE") == 0 || start.compare(0, 2, "\xFE\xFF") == 0)
            throw UnappendableFile{"UTF-16 のファイルには追記できません。"};
        if (!start.empty())
            encoding_ = start == Utf8Mark ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis;
        if (!overwrite) MoveToAppendPoint(handle_);
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size)) throw IoFailure{GetLastError()};
        if (size.QuadPart == 0 && encoding_ == CsvEncoding::Utf8) pending_ = Utf8Mark;
    } catch (...) {
        CloseHandle(handle_);
        throw;
    }
}

CsvFile::~CsvFile()
{
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

std::string ExportText(const std::string& srcFolder, const ResultRows& rows)
{
    std::string text = CsvHeaderLine(CsvEncoding::ShiftJis);
    for (const FilePairEntry* row : rows)
        text += CsvRowLine(srcFolder, *row);
    return text;
}

void ExportRows(const std::wstring& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen,
                CsvEncoding encoding, const std::wstring& realSrcFolder)
{
    CsvFile file(path, overwrite, encoding);
    file.Write(CsvHeaderLine(file.Encoding()));
    for (const FilePairEntry* row : rows)
        file.Write(CsvRowLine(srcFolder, *row, file.Encoding(), realSrcFolder));
    file.Flush();
    if (whileOpen) whileOpen();
}

void ExportRows(const std::string& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen,
                CsvEncoding encoding, const std::wstring& realSrcFolder)
{
    ExportRows(WideOf(path), overwrite, srcFolder, rows, whileOpen, encoding, realSrcFolder);
}
