#pragma once
#include "engine/FilePath.h"
#include "results/ResultRows.h"
#include "results/RunCounts.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/InfoBoard.h"
#include "toolkit/ListView.h"

#include <string>
#include <vector>
#include <windows.h>

// Each column's direction, negated before every sort by that column.
extern int ResultSortDirections[ResultColumnCount];

// How the window asks the shell to start Explorer; tests put their own recorder here,
// since a real Explorer would outlive the test.
using ShellExecuteFunction = HINSTANCE (*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellExecuteFunction ShellExecuteRequest;
// The same for a folder that only its real (UTF-16) path reaches.
using ShellExecuteWideFunction = HINSTANCE (*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern ShellExecuteWideFunction ShellExecuteWideRequest;

// The outcome of one comparison run, modal over the main window.
struct TResultDlg : Form {
    // The header's boxes and texts, drawn by one window.
    InfoBoard HeaderBoard;
    BoardPart Panel1, Panel2;
    BoardPart Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, LegendLabel;
    BoardPart SrcFolderDisp, DesFolderDisp; // the whole paths; the board shortens them
    BoardPart FileNumSText, NotSameFileSText;
    // The mismatches by kind, and what was not compared.
    BoardPart ChangedFileSText, SrcOnlyFileSText, DesOnlyFileSText, UncomparedFileSText;
    ListView ResultList;
    Button OKButton, TrelkDispButton, TextDiffButton, SaveButton;
    // The buttons of the bottom row, left to right: one group, centred.
    std::vector<Button*> FooterButtons;
    HMENU FilePMenu = nullptr;
    ResultRows Rows;    // in the order the list shows them
    RunFolders Folders; // the run's folders as the trees reported them
    RunCounts Counts;

    ~TResultDlg() override;
    // Creates the window (not shown) and lists the entries of the last run. The real
    // folders (as the file system spells them, "" when not known) reach folders whose
    // names the code page cannot hold.
    bool Open(const std::string& srcFolderPath, const std::string& desFolderPath,
              const std::wstring& srcRealFolder = {}, const std::wstring& desRealFolder = {});

    void FormCreate() override;
    void FormResize() override;
    bool MenuCommand(WORD id) override;

    void ResultListClick();
    void ResultListChange();
    void ResultListColumnClick(int column);
    void ResultListRightClick(POINT at); // by mouse or keyboard
    void ResultListDblClick();
    void ResultListEnter();
    void OKButtonClick();
    void TrelkDispButtonClick(); // TrelkDisp.cpp
    void TextDiffButtonClick();  // TextDiffOpen.cpp
    void SaveButtonClick();      // ResultSave.cpp
    void CopySelectedRows();     // Ctrl+C and コピー, in the file's form; ResultSave.cpp
    void ExplorerPMenuItemClick();
    bool TrelkDispPMenuItemEnabled() const;
    // What Enter on a row opens: the byte view of a differing pair.
    void OpenSelectedRow();
    // What a double-click opens: a text pair in the text view, a binary one in the byte
    // view (TextDiffOpen.cpp).
    void OpenSelectedPair();

    // The selected row, or null.
    const FilePairEntry* SelectedRow() const;
    // The two files of the selected row; false (having said why) when either is gone or
    // cannot be read. TrelkDisp.cpp
    bool SelectedPair(FilePath& reference, FilePath& target) const;
    // Where the group of the footer's buttons starts, and its width at 96 dpi.
    int ButtonsWidth() const;
    int ButtonsLeft() const;
    // The header's height at the present width (pixels).
    int HeaderHeight() const { return headerHeight_; }

private:
    void CreateHeader();
    void FillHeader(const std::string& srcFolderPath, const std::string& desFolderPath,
                    const std::wstring& srcRealFolder, const std::wstring& desRealFolder);
    int LayOutHeader(int clientWidth); // returns the header's height
    void CreateFilePMenu();
    void FitToColumns();
    void SortRows(int column);
    int headerHeight_ = 0;
};

// The byte view of a pair, modal over owner (the result window or the text view).
void ShowByteDifferences(HWND owner, const FilePath& reference, const FilePath& target);

// Shows the result window of the last run (FileEntries, EntryCount, MismatchCount,
// EnvSettings.DispDiscord) and returns when the user has closed it.
// The real folders reach folders whose names the code page cannot hold.
void ShowResults(const std::string& srcFolderPath, const std::string& desFolderPath,
                 const std::wstring& srcRealFolder = {}, const std::wstring& desRealFolder = {});
