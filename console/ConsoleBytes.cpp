// The console's byte list: the view's rows of two files, as text lines or as CSV.
#include "console/ConsoleRun.h"
#include "engine/ExcludeMasks.h"
#include "engine/FolderWalk.h"
#include "results/ByteDifferences.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <memory>
#include <vector>

namespace {
// A field of a text line: control characters escaped, so that a cell holding a tab, a
// CR or an LF byte keeps its row one line; quoted like a CSV field when it holds a comma
// or a quote.
std::string TextField(const std::string& text)
{
    return CsvField(EscapedControls(text));
}

// Each row goes out as it is found: nothing is kept per differing byte.
struct LineSink : ByteDifferenceSink {
    OutputStream* Out = nullptr;
    CsvFile* Csv = nullptr;
    int64_t Rows = 0;
    std::string Pending; // CSV lines not yet handed to the file

    bool Row(const ByteDifference& row) override
    {
        if (StopKeyPressed()) return false;
        ++Rows;
        if (Csv) {
            AppendByteCsvLine(Pending, row, Csv->Encoding());
            if (Pending.size() >= 1 << 16) {
                Csv->Write(Pending);
                Pending.clear();
            }
            return true;
        }
        std::string line;
        std::wstring wide;
        for (int column = bdAddress; column <= bdTargetChar; ++column) {
            // Field by field: a lone lead byte must not take the tab after it.
            std::string field = TextField(ByteDifferenceText(row, column));
            if (column != bdAddress) {
                line += '\t';
                wide += L'\t';
            }
            line += field;
            wide += WideOf(field);
        }
        Out->Write(line + "\r\n", wide + L"\r\n");
        return true;
    }
};

// The file of a name in a target folder, as a folder comparison pairs it: the exact name,
// else the one name that differs only in case. False when several do and none is exact.
bool FileInFolder(const std::wstring& folder, const std::wstring& name, std::wstring& path)
{
    std::wstring dir = folder + (folder.back() == L'\\' ? L"" : L"\\");
    path = dir + name;
    const std::wstring folded = FoldedName(name);
    std::vector<std::wstring> variants;
    DWORD error = 0;
    ListFolder(dir, [&](const FoundEntry& found) {
        if (!found.IsFolder() && FoldedName(found.Name) == folded) variants.push_back(found.Name);
        return true;
    }, error);
    for (const std::wstring& variant : variants)
        if (variant == name) return true;
    if (variants.size() == 1) path = dir + variants[0];
    return variants.size() < 2;
}

bool FindFile(const std::wstring& given, const std::wstring& path, OutputStream& err)
{
    DWORD attributes = AttributesOfPath(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    err.Write(L"ファイルが見つかりません: " + given + L"\r\n");
    return false;
}
} // namespace

int ListBytesFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err)
{
    std::wstring reference = FullPathOf(options.Reference), target = FullPathOf(options.Target);
    DWORD targetAttributes = AttributesOfPath(target);
    // A target folder holds the file of the same name.
    if (targetAttributes != INVALID_FILE_ATTRIBUTES &&
        (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !FileInFolder(target, reference.substr(reference.find_last_of(L'\\') + 1), target)) {
        err.Write(L"対象に大文字と小文字だけが違う名前が複数あり、どれと比べるか決められません: " +
                  options.Target + L"\r\n");
        return ExitTrouble;
    }
    if (!FindFile(options.Reference, reference, err) || !FindFile(options.Target, target, err))
        return ExitTrouble;

    LineSink sink;
    sink.Out = &out;
    std::unique_ptr<CsvFile> csv;
    bool whole = false;
    try {
        if (!options.CsvPath.empty()) {
            csv =
                std::make_unique<CsvFile>(options.CsvPath, !options.Append,
                                          options.Utf8 ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis);
            csv->Write(ByteCsvHeaderLine(csv->Encoding()));
            sink.Csv = csv.get();
        }
        whole = ScanDifferences({CodePageText(reference), reference},
                                {CodePageText(target), target}, sink);
        if (csv) {
            csv->Write(sink.Pending);
            csv->Flush();
        }
    } catch (const IoFailure& failure) {
        out.Flush();
        err.Write(WithFullStop(IoErrorText(failure.Code)) + "\r\n");
        return ExitTrouble;
    } catch (const UnappendableFile& refusal) {
        err.Write(refusal.Reason + "\r\n");
        return ExitTrouble;
    }
    out.Flush();
    if (!whole) {
        err.Write(std::string("比較を中断しました。\r\n"));
        return ExitTrouble;
    }
    return sink.Rows > 0 ? ExitDifferent : ExitSame;
}
