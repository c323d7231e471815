#pragma once
#include "results/CsvFile.h"
#include "results/ResultRows.h"
#include "toolkit/CommonDialogs.h"
#include "toolkit/Window.h"

#include <commdlg.h>
#include <functional>
#include <string>
#include <vector>

// How the result window asks for the file name; tests answer the dialog themselves.
using SaveDialogFunction = BOOL (*)(OPENFILENAMEA*);
extern SaveDialogFunction SaveDialogRequest;

// A field as written: quoted only when it holds a comma, a double quote or a line
// break, inner quotes doubled; any other field unchanged.
std::string CsvField(const std::string& text);
// Code-page fields joined with "," and ended with CR LF, in the encoding.
std::string CsvLine(const std::vector<std::string>& fields, CsvEncoding encoding);
// The header line of the result file; values adds the four value columns' captions.
std::string CsvHeaderLine(CsvEncoding encoding, bool values = false);
// One result row's line: the row's path, the date, size and contents texts, then, with
// values, the dates (to the second) and sizes (plain bytes) of both sides. The UTF-8 form
// spells the path as the file system does.
std::string CsvRowLine(const RunFolders& folders, const FilePairEntry& row,
                       CsvEncoding encoding = CsvEncoding::ShiftJis, bool values = false);

// What a CSV file of result rows holds besides its rows.
struct CsvForm {
    CsvEncoding Encoding = CsvEncoding::ShiftJis;
    bool Values = false; // the four value columns after the verdicts
};

// Writes the header and one line per row to the file (see CsvFile). Throws IoFailure or
// UnappendableFile; the file is closed either way. whileOpen runs after the last line,
// before the file is closed.
void ExportRows(const std::wstring& path, bool overwrite, const RunFolders& folders,
                const ResultRows& rows, const std::function<void()>& whileOpen = {},
                CsvForm form = {});
// The same to a code-page path.
void ExportRows(const std::string& path, bool overwrite, const RunFolders& folders,
                const ResultRows& rows, const std::function<void()>& whileOpen = {},
                CsvForm form = {});
// The Shift-JIS bytes ExportRows writes after the existing end.
std::string ExportText(const RunFolders& folders, const ResultRows& rows);

// Writes a CSV file to the path, emptied first or appended, in the chosen encoding;
// whileOpen runs after the last line, before the file is closed.
using CsvWriting = std::function<void(const std::string& path, bool overwrite, CsvEncoding encoding,
                                      const std::function<void()>& whileOpen)>;
// The save command of a window: asks for the name (CSV (Shift-JIS) or CSV (UTF-8); ".csv"
// added to a name typed without an extension) and about an existing file, writes with the
// busy cursor, then says "保存しました"; a failure is reported instead. option, when given,
// is a check box of the dialog; it holds the user's choice when write runs.
void SaveCsvFile(HWND owner, const char* defaultName, const CsvWriting& write,
                 DialogCheckBox* option = nullptr);
