#pragma once
#include "results/ResultRows.h"
#include "shellviews/EllipsisText.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

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
    Panel Panel1, Panel2;
    Label Label1, Label2, Label3, Label4;
    TEllipsisText SrcFolderDisp, DesFolderDisp;
    Label FileNumSText, NotSameFileSText;
    ListView ResultList;
    Button OKButton, TrelkDispButton, SaveButton;
    HMENU FilePMenu = nullptr;
    ResultRows Rows; // in the order the list shows them
    // The run's folders as the file system spells them, "" when not known.
    std::wstring SrcRealFolder, DesRealFolder;

    ~TResultDlg() override;
    // Creates the window (not shown) and lists the entries of the last run.
    bool Open(const std::string& srcFolderPath, const std::string& desFolderPath,
              const std::wstring& srcRealFolder = {}, const std::wstring& desRealFolder = {});

    void FormCreate() override;
    void FormResize() override;
    bool MenuCommand(WORD id) override;

    void ResultListClick();
    void ResultListChange();
    void ResultListColumnClick(int column);
    void ResultListRightClick(POINT at); // by mouse or keyboard
    void OKButtonClick();
    void TrelkDispButtonClick(); // TrelkDisp.cpp
    void SaveButtonClick();      // ResultExport.cpp
    void ResultListEnter();
    void CopySelectedRows(); // Ctrl+C, in the file's form; ResultSave.cpp
    void ExplorerPMenuItemClick();
    bool TrelkDispPMenuItemEnabled() const;

    // The selected row, or null.
    const FilePairEntry* SelectedRow() const;
    // Where the group of the three buttons (ButtonsWidth wide) starts.
    static constexpr int ButtonsWidth = 269;
    int ButtonsLeft() const;

private:
    void SortRows(int column);
};

// Shows the result window of the last run (FileEntries, EntryCount, MismatchCount,
// EnvSettings.DispDiscord) and returns when the user has closed it.
// The real folders reach folders whose names the code page cannot hold.
void ShowResults(const std::string& srcFolderPath, const std::string& desFolderPath,
                 const std::wstring& srcRealFolder = {}, const std::wstring& desRealFolder = {});
