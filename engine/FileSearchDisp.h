#pragma once
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// The file-search progress window: the number of records collected so far and how far
// through the selected items collection is. The user cannot close it.
struct TFileSearchDispDlg : Form {
    Label SearchingLabel;
    Label FileNumDisp;
    ::ProgressBar ProgBar;

    // Creates the window hidden.
    bool Create();

    void FormCreate() override;
    bool FormCloseQuery() override { return false; }
};
