#pragma once
#include "results/CsvFile.h"
#include "results/ResultRows.h"
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
// The header line of the result file.
std::string CsvHeaderLine(CsvEncoding encoding);
// One result row's line: reference path, date, size and contents texts. realSrcFolder is
// the reference folder as the file system spells it ("" when srcFolder reaches it); only
// the UTF-8 form uses it and the row's real path.
std::string CsvRowLine(const std::string& srcFolder, const FilePairEntry& row,
                       CsvEncoding encoding = CsvEncoding::ShiftJis,
                       const std::wstring& realSrcFolder = {});

// The reference path of a row (field 1) as the file system spells it.
std::wstring RealRowPath(const std::string& srcFolder, const FilePairEntry& row,
                         const std::wstring& realSrcFolder);

// Writes the header and one line per row to the file (see CsvFile). Throws IoFailure or
// UnappendableFile; the file is closed either way. whileOpen runs after the last line,
// before the file is closed.
void ExportRows(const std::string& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen = {},
                CsvEncoding encoding = CsvEncoding::ShiftJis,
                const std::wstring& realSrcFolder = {});
// The same to a path of any spelling.
void ExportRows(const std::wstring& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen = {},
                CsvEncoding encoding = CsvEncoding::ShiftJis,
                const std::wstring& realSrcFolder = {});
// The Shift-JIS bytes ExportRows writes after the existing end.
std::string ExportText(const std::string& srcFolder, const ResultRows& rows);

// Writes a CSV file to the path, emptied first or appended, in the chosen encoding;
// whileOpen runs after the last line, before the file is closed.
using CsvWriting = std::function<void(const std::string& path, bool overwrite, CsvEncoding encoding,
                                      const std::function<void()>& whileOpen)>;
// The save command of a window: asks for the name (CSV (Shift-JIS) or CSV (UTF-8)) and
// about an existing file, writes with the busy cursor, then says "保存しました"; a
// failure is reported instead.
void SaveCsvFile(HWND owner, const char* defaultName, const CsvWriting& write);
