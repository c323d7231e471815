#include "results/ResultExport.h"

#include "engine/Util.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>

namespace {
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
    // A sub-folder's row ends with "\" as its code-page form does, so it reads as a folder.
    if (row.IsFolder && !row.Name.empty() && !name.empty() && name.back() != L'\\') name += L'\\';
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
