#pragma once
#include "engine/FileEntries.h"

#include <string>
#include <vector>

// One row of the result list: the entry's name, folder and verdicts, copied so the
// list stands on its own while it is sorted and saved.
struct ResultRow {
    std::string Name;
    std::string Folder;
    DateVerdict DateResult = dvSame;
    SizeVerdict SizeResult = svSame;
    ContentsVerdict ContentsResult = cvSame;
    int Entry = 0; // position in FileEntries, which keeps a row recognisable after a sort
};

enum ResultColumn { rcName = 0, rcFolder = 1, rcDate = 2, rcSize = 3, rcContents = 4 };
constexpr int ResultColumnCount = 5;

// The text of a cell: 名前, フォルダ名, then the three verdict texts.
const std::string& ResultRowText(const ResultRow& row, int column);

// Byte-wise unsigned comparison, a prefix first: negative, zero or positive.
int CompareTexts(const std::string& a, const std::string& b);

// The rows of the entries the list shows: all, or only the mismatches.
std::vector<ResultRow> ListedRows(const std::vector<FilePairEntry>& entries, int count,
                                  bool mismatchesOnly);

// Orders the rows by one column's text times the direction (+1 or -1); stable.
void SortResultRows(std::vector<ResultRow>& rows, int column, int direction);
