#pragma once
#include "engine/FilePath.h"
#include "shellviews/EllipsisText.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int DumpBlockSize = 32768;

// One differing position of a pair; a million of them must stay cheap.
struct ByteDifference {
    int64_t Offset;
    uint8_t Reference;
    uint8_t Target;
};

// The differing positions of one pair as the view holds them: four bytes a row (the place
// in its block of the dump and the two bytes), and per block with differences its offset
// and first row. Rows are kept in fixed chunks, so growing never copies what is held.
class ByteDifferenceList {
public:
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    ByteDifference operator[](size_t row) const;
    // Adds a row; the offsets come in increasing order. Throws std::bad_alloc when no
    // memory is left for the next chunk.
    void Add(int64_t offset, uint8_t reference, uint8_t target);
    void clear();
    // What one row costs, blocks and chunks aside.
    static constexpr size_t BytesPerRow = 4;

private:
    static constexpr size_t ChunkRows = 1 << 16;
    struct Block {
        int64_t Offset;
        size_t FirstRow;
    };
    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<uint32_t[]>> chunks_;
    size_t size_ = 0;
};

// The most rows the view holds: a list view draws rows at y = row x row height in 32 bits,
// so past about a hundred million rows it shows nothing. Tests set it small.
extern size_t ByteDifferenceLimit;

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
// and equally long. Returns false when it stopped early because no more rows could be
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
    Button OKButton;
    ByteDifferenceList Differences;
    bool AllDifferencesShown = true; // false when the dump stopped at what it can hold

    ~TTrelkDispDlg() override;
    bool Open(HWND owner); // creates the window, not shown
    // Fills the list from the two files; throws IoFailure as DumpDifferences does.
    void Fill(const FilePath& reference, const FilePath& target);

    void FormCreate() override;
    void FormResize() override;
    void OKButtonClick();

private:
    HFONT font_ = nullptr;
};
