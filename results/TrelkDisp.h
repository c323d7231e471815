#pragma once
#include "results/ByteDifferences.h"
#include "shellviews/EllipsisText.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

// Every differing position of the two files (ScanDifferences), messages pumped between
// blocks. Returns false when it stopped early because no more rows could be
// held (ByteDifferenceLimit, or memory). Throws IoFailure when a file cannot be opened
// or read; both files are closed either way.
bool DumpDifferences(const FilePath& reference, const FilePath& target,
                     ByteDifferenceList& differences);

// The byte-difference view of one pair, modal over the result window.
struct TTrelkDispDlg : Form {
    Panel HeaderPanel, FooterPanel;
    Label Label1, Label2;
    TEllipsisText SrcFileDisp, DesFileDisp;
    ListView TrelkLView;
    Button OKButton, SaveButton;
    ByteDifferenceList Differences;
    bool AllDifferencesShown = true; // false when the dump stopped at what it can hold

    ~TTrelkDispDlg() override;
    bool Open(HWND owner); // creates the window, not shown
    // Fills the list from the two files; throws IoFailure as DumpDifferences does.
    void Fill(const FilePath& reference, const FilePath& target);

    void FormCreate() override;
    void FormResize() override;
    void OKButtonClick();
    // Writes the rows to a CSV file chosen in the save dialog, as the result window saves.
    void SaveButtonClick();
    void CopySelectedRows(); // Ctrl+C, as the file has them

private:
};
