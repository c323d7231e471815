#pragma once
#include "shellviews/EllipsisText.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int DumpBlockSize = 32768;

// One differing position of a pair; a million of them must stay cheap.
struct ByteDifference {
    int64_t Offset;
    uint8_t Reference;
    uint8_t Target;
};

enum ByteDifferenceColumn {
    bdAddress = 0,
    bdReferenceHex,
    bdTargetHex,
    bdReferenceDecimal,
    bdTargetDecimal,
    bdReferenceChar,
    bdTargetChar,
};

// "0000001F", "0A", "  7", the byte itself ("" for a zero byte).
std::string ByteDifferenceText(const ByteDifference& difference, int column);

// Every differing position of the two files, block by block; a block is compared up to
// the larger count read, and the comparison goes on only while both blocks were full
// and equally long. Throws IoFailure when a file cannot be opened or read; both files
// are closed either way.
void DumpDifferences(const std::string& reference, const std::string& target,
                     std::vector<ByteDifference>& differences);

// The byte-difference view of one pair, modal over the result window.
struct TTrelkDispDlg : Form {
    Panel HeaderPanel, FooterPanel;
    Label Label1, Label2;
    TEllipsisText SrcFileDisp, DesFileDisp;
    ListView TrelkLView;
    Button OKButton;
    std::vector<ByteDifference> Differences;

    ~TTrelkDispDlg() override;
    bool Open(HWND owner); // creates the window, not shown
    // Fills the list from the two files; throws IoFailure as DumpDifferences does.
    void Fill(const std::string& reference, const std::string& target);

    void FormCreate() override;
    void FormResize() override;
    void OKButtonClick();

private:
    HFONT font_ = nullptr;
};
