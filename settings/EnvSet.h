#pragma once
#include "settings/PreviewViews.h"
#include "textdiff/TextRules.h"
#include "toolkit/Button.h"
#include "toolkit/CommonDialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/TabControl.h"

#include <functional>
#include <string>
#include <vector>

// A radio group that is never shown: it only carries its item index through the dialog.
struct HiddenRadioGroup {
    int ItemIndex = 0;
};

// The settings dialog. The caller creates it, fills the controls and the preview
// fields, shows it modally and reads everything back when it ended with mrOK. The
// dialog itself only edits its own controls (and plays the chosen wave files).
struct TEnvSetDlg : Form {
    TabControl PageCtl;
    Panel DisplayTabSheet, SoundTabSheet, CompTabSheet;
    Button OKButton, CancelButton;

    // "画面"
    GroupBox GroupBox1;
    PreviewTree FontColorTView;
    PreviewList FontColorLView;
    Button FontRefButton, ColorRefButton, BColorRefButton;
    CheckBox FLResizeChkBox, AllSlctChkBox, DragDropChkBox;

    // "サウンド"
    CheckBox SoundChkBox;
    Panel SoundPanel;
    Label SameSoundFileLabel, DiscordSoundFileLabel;
    Edit SameSoundFileEdit, DiscordSoundFileEdit;
    Button SameSoundFileRefButton, DiscordSoundFileRefButton;
    Button SameSoundPlayBitBtn, DiscordSoundPlayBitBtn;

    // "比較"
    CheckBox ProgTimeChkBox;
    CheckBox TargetOnlyChkBox; // TargetOnly
    HiddenRadioGroup ResultSortRGrp, ResultSortKindRGrp;
    GroupBox GroupBox2;
    CheckBox CheckBox1;      // ExcludeFlag
    ListBox ExtListBox;      // ExcludeMasks, one a line
    Button Button1, Button2; // 追加, 削除
    GroupBox TextRuleGroupBox;
    CheckBox TextRuleChkBox;                        // TextRule
    CheckBox TextIgnoreChkBoxes[TextOptionCount];   // TextIgnore, shared with the text view

    OpenFileDialog WaveFileRefDlg;
    ColorDialog ColorDlg;
    FontDialog FontDlg;

    // Font and colours of the previews: the tree stands for the folder trees, the list
    // for the file lists. Set them before showing (or call ApplyPreviewLooks after).
    LOGFONTA TreeFont{}, ListFont{};
    COLORREF TreeBackColor = 0x80000005, TreeTextColor = 0x80000008;
    COLORREF ListBackColor = 0x80000005, ListTextColor = 0x80000008;

    // Plays a wave file; replaceable so the request can be observed.
    std::function<void(const std::string& fileName)> PlayWave;

    TEnvSetDlg();
    ~TEnvSetDlg() override;
    bool Create(HWND owner = nullptr);
    void ApplyPreviewLooks();
    // The colour the two sound edits are painted with now (a system colour index).
    int SoundEditColorIndex() const { return soundEditColor_; }

    void FormCreate() override;
    void FormDpiChanged(UINT oldDpi) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void SoundChkBoxClick();
    void SameSoundFileRefButtonClick();
    void DiscordSoundFileRefButtonClick();
    void SameSoundPlayBitBtnClick();
    void DiscordSoundPlayBitBtnClick();
    void FontRefButtonClick();
    void ColorRefButtonClick();
    void BColorRefButtonClick();
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();

    void SetExcludeMasks(const std::vector<std::wstring>& masks);
    std::vector<std::wstring> ExcludeMasks() const;
    void SetTextIgnore(const TextOptions& options);
    TextOptions TextIgnore() const;

private:
    void CreateDisplayPage();
    void CreateSoundPage();
    void CreateCompPage();
    void CreateTextRuleControls(HWND page, int top); // EnvSetText.cpp
    void PlaceTextIgnoreBoxes();
    int textRuleTop_ = 0;
    void ShowPage();
    void BrowseWaveFile(Edit& edit);

    HFONT treeFont_ = nullptr, listFont_ = nullptr;
    HBITMAP playPicture_ = nullptr;
    int soundEditColor_ = COLOR_BTNFACE;
};

// What 追加 asks for a new exclusion mask, with an example of each kind of mask.
extern const char* const ExcludeMaskPrompt;
