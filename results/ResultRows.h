#pragma once
#include "engine/FileEntries.h"
#include "engine/FilePath.h"

#include <cstdint>
#include <string>
#include <vector>

// The rows of the result list: the records they show, in the list's order. Records never
// move while the list exists, so a row is only the record's address (nothing is copied).
using ResultRows = std::vector<const FilePairEntry*>;

// 名前, フォルダ名, the three verdicts, then the values the verdicts were made from.
enum ResultColumn {
    rcName = 0,
    rcFolder = 1,
    rcDate = 2,
    rcSize = 3,
    rcContents = 4,
    rcSrcDate = 5,
    rcDesDate = 6,
    rcSrcSize = 7,
    rcDesSize = 8,
};
constexpr int ResultColumnCount = 9;
constexpr bool IsValueColumn(int column)
{
    return column >= rcSrcDate && column < ResultColumnCount;
}

// The two folders of a run as the result window shows them; the real forms as the file
// system spells them ("" when the code-page text reaches the folder).
struct RunFolders {
    std::string Src{}, Des{};
    std::wstring SrcReal{}, DesReal{};
};

// The text of one of the first five columns: 名前, フォルダ名 (relative), the verdicts.
const std::string& ResultRowText(const FilePairEntry& row, int column);
// 名前 or フォルダ名 as the file system spells it, for a row whose code-page text does not
// name its file; empty otherwise.
std::wstring ResultRowRealText(const FilePairEntry& row, int column);
// A value column's text: the local date and time to the second, or the size in bytes
// (grouped by thousands unless plain); "" where that side has no file the run found.
std::string ResultValueText(const FilePairEntry& row, int column, bool plain = false);
// What a value column sorts by: 0 for no value, else the value plus one.
uint64_t ResultValueKey(const FilePairEntry& row, int column);

// A cell as the list shows it: as ResultRowText and ResultValueText, except that a row
// only the target holds shows the target's whole folder as its フォルダ名.
std::string ResultCellText(const RunFolders& folders, const FilePairEntry& row, int column);
// The same as the file system spells it, where that differs from the code page; else "".
std::wstring ResultCellRealText(const RunFolders& folders, const FilePairEntry& row, int column);

// The folder that holds a row's file: under the reference folder, or under the target
// folder for a row only the target holds. An empty folder (a run on the drives under My
// Computer) leaves the row's folder as the whole path.
FilePath RowFolder(const RunFolders& folders, const FilePairEntry& row);
// The whole path of a row's file (CSV field 1, the console's lines).
FilePath RowPath(const RunFolders& folders, const FilePairEntry& row);
// The path as the file system spells it (Real, or Text when that reaches the file).
std::wstring RealFormOf(const FilePath& path);

// Byte-wise unsigned comparison, a prefix first: negative, zero or positive.
int CompareTexts(const std::string& a, const std::string& b);

// The rows of the entries the list shows: all, or only the mismatches.
ResultRows ListedRows(const EntryList& entries, int count, bool mismatchesOnly);

// Orders the rows by one column times the direction (+1 or -1); stable. Text columns
// compare their texts as the list shows them (folders given) or as ResultRowText gives
// them; value columns compare their values.
void SortResultRows(ResultRows& rows, int column, int direction,
                    const RunFolders* folders = nullptr);
// The rows as the result window first lists them: ListedRows by 名前, ascending.
ResultRows OpeningRows(const EntryList& entries, int count, bool mismatchesOnly);
