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

std::string CsvHeaderLine(CsvEncoding encoding, bool values)
{
    std::vector<std::string> captions = {"ファイル名", "日付", "サイズ", "内容"};
    if (values)
        captions.insert(captions.end(),
                        {"基準の日時", "対象の日時", "基準のサイズ", "対象のサイズ"});
    return CsvLine(captions, encoding);
}

std::string CsvRowLine(const RunFolders& folders, const FilePairEntry& row, CsvEncoding encoding,
                       bool values)
{
    FilePath path = RowPath(folders, row);
    const bool utf8 = encoding == CsvEncoding::Utf8;
    std::string line = QuotedIfNeeded(utf8 ? Utf8Of(RealFormOf(path)) : path.Text);
    for (int column : {rcDate, rcSize, rcContents}) {
        line += ',';
        const std::string& text = ResultRowText(row, column);
        line += utf8 ? Utf8Of(WideOf(text)) : text;
    }
    // Digits, separators and spaces only: the same bytes in either encoding.
    if (values)
        for (int column : {rcSrcDate, rcDesDate, rcSrcSize, rcDesSize})
            line += ',' + ResultValueText(row, column, true);
    return line + "\r\n";
}

std::string ExportText(const RunFolders& folders, const ResultRows& rows)
{
    std::string text = CsvHeaderLine(CsvEncoding::ShiftJis);
    for (const FilePairEntry* row : rows)
        text += CsvRowLine(folders, *row);
    return text;
}

void ExportRows(const std::wstring& path, bool overwrite, const RunFolders& folders,
                const ResultRows& rows, const std::function<void()>& whileOpen, CsvForm form)
{
    CsvFile file(path, overwrite, form.Encoding);
    file.Write(CsvHeaderLine(file.Encoding(), form.Values));
    for (const FilePairEntry* row : rows)
        file.Write(CsvRowLine(folders, *row, file.Encoding(), form.Values));
    file.Flush();
    if (whileOpen) whileOpen();
}

void ExportRows(const std::string& path, bool overwrite, const RunFolders& folders,
                const ResultRows& rows, const std::function<void()>& whileOpen, CsvForm form)
{
    ExportRows(WideOf(path), overwrite, folders, rows, whileOpen, form);
}
