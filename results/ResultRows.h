#pragma once
#include "engine/FileEntries.h"

#include <string>
#include <vector>

// The rows of the result list: the records they show, in the list's order. Records never
// move while the list exists, so a row is only the record's address (nothing is copied).
using ResultRows = std::vector<const FilePairEntry*>;

enum ResultColumn { rcName = 0, rcFolder = 1, rcDate = 2, rcSize = 3, rcContents = 4 };
constexpr int ResultColumnCount = 5;

// The text of a cell: 名前, フォルダ名, then the three verdict texts.
const std::string& ResultRowText(const FilePairEntry& row, int column);
// 名前 or フォルダ名 as the file system spells it, for a row whose code-page text does not
// name its file; empty otherwise.
std::wstring ResultRowRealText(const FilePairEntry& row, int column);

// The reference folder that holds a row's file. An empty reference folder (a run on the
// drives under My Computer) leaves the row's folder as the full path.
std::string RowFolderPath(const std::string& srcFolder, const std::string& rowFolder);

// Byte-wise unsigned comparison, a prefix first: negative, zero or positive.
int CompareTexts(const std::string& a, const std::string& b);

// The rows of the entries the list shows: all, or only the mismatches.
ResultRows ListedRows(const EntryList& entries, int count, bool mismatchesOnly);

// Orders the rows by one column's text times the direction (+1 or -1); stable.
void SortResultRows(ResultRows& rows, int column, int direction);
// The rows as the result window first lists them: ListedRows by 名前, ascending.
ResultRows OpeningRows(const EntryList& entries, int count, bool mismatchesOnly);
