#pragma once
#include "engine/FilePath.h"
#include "results/TextPanes.h"
#include "shellviews/EllipsisText.h"
#include "textdiff/DiffRows.h"
#include "textdiff/TextDiff.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

#include <functional>

// The text comparison of one pair, modal over the result window: both files side by side
// with what changed, the encoding and line endings of each, and the text rules switchable
// at once. A binary pair says so and offers the byte view.
struct TTextDiffDlg : Form {
    Panel HeaderPanel, FooterPanel;
    Label Label1, Label2, SrcInfoText, DesInfoText, OptionsLabel, NoticeText;
    TEllipsisText SrcFileDisp, DesFileDisp;
    CheckBox OptionChkBoxes[TextOptionCount];
    TextPanes DiffPanes;
    Button PrevButton, NextButton, SaveButton, TrelkDispButton, OKButton;
    // Opens the byte view of the same pair (the result window's 比較表示).
    std::function<void()> OnByteView;

    TextFile Reference, Target;
    TextOptions Options;
    TextDiffResult Diff;
    DiffRows Rows;

    ~TTextDiffDlg() override;
    bool Open(HWND owner); // creates the window, not shown
    // Reads both files and compares them under the options. Throws IoFailure when a
    // file cannot be opened or read.
    void Fill(const FilePath& reference, const FilePath& target, const TextOptions& options);
    bool IsBinaryPair() const { return Reference.IsBinary() || Target.IsBinary(); }

    void FormCreate() override;
    void FormResize() override;
    void FormDpiChanged(UINT oldDpi) override;
    bool FormKeyPreview(const MSG& msg) override;
    void OptionChkBoxClick(); // any of the seven: the diff again under the new options
    void PrevButtonClick();
    void NextButtonClick();
    void SaveButtonClick(); // TextDiffSave.cpp
    void TrelkDispButtonClick();
    void OKButtonClick();
    void DiffPanesPositionChanged();
    void CopySelection(); // Ctrl+C

private:
    FilePath referencePath_, targetPath_;
    std::string storageNotice_; // what differs in how the text is stored, if only that
    void Compare();
    void FitOntoScreen();
    void ShowNotice();
    void PlaceOptions();
    std::string InfoText(const TextFile& file) const;
};
