#pragma once
#include "engine/CompareRun.h"
#include "shellviews/ShView.h"
#include "toolkit/ComboBoxEx.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/Splitter.h"
#include "toolkit/StatusBar.h"
#include "toolkit/ToolBar.h"

#include <functional>
#include <shellapi.h>
#include <string>
#include <windows.h>

// Command ids of the menus and toolbar buttons; the names are the items' names.
enum MainCommand : UINT {
    CompMenuItem = 101,
    FolderChangeMenuItem,
    ExitMenuItem,
    ToolBarMenuItem,
    StatusBarMenuItem,
    LargeIconMenuItem,
    SmallIconMenuItem,
    ListMenuItem,
    DetailMenuItem,
    AllSlctMenuItem,
    RefreshMenuItem,
    CompObjDateMenuItem,
    CompObjSizeMenuItem,
    CompObjContentsMenuItem,
    DiscordMenu,
    EnvSetMenuItem,
    ContentsMenuItem,
    AboutMenuItem,
    WholeCompMenuItem,
    CompPMenuItem = 201,
    IconPMenuItem,
    SmallIconPMenuItem,
    ListPMenuItem,
    ReportPMenuItem,
    RefreshPMenuItem,
    ExitTButton = 301,
    IconTButton,
    SmallIconTButton,
    ListTButton,
    ReportTButton,
    AllSlctTButton,
    FolderChangeTButton,
    CompTButton,
    WholeCompTButton,
    OtherPaneKey = 401, // F6, Shift+F6
};

// Set while SelectAllFiles marks items, so the status bar is not rewritten per item.
extern bool SelectAllInProgress;

// The controls of one browsing pane, laid out by LayoutPane.
struct TMainPane {
    Panel PanePanel; // SrcPanel or DesPanel
    Panel FolderPanel;
    Label PaneLabel; // 基準 or 対象, so that each pane says which it is
    TComboBoxEx FolderCBoxEx;
    TFolderView FolderView;
    TSplitterEx HSplitterEx;
    TFileView FileView;
    int FolderPanelWidth = 180; // pixels at the window's DPI
};

// Designed sizes at 96 dpi.
const int DesignedSrcPanelHeight = 200;
const int DesignedFolderPanelWidth = 180;

// What the main window does when the compare command runs; tests put their own here.
using CompareAction = void (*)(CompareCommandHost&, CompareScope);

struct TMainDlg : Form, CompareCommandHost {
    TToolDock TopDock;
    TToolBar ToolBar;
    TStatusBar StatusBar;
    Panel SrcDesPanel;
    TSplitterEx VSplitter;
    TMainPane Src, Des;
    // The panes' controls under their own names.
    Panel& SrcPanel = Src.PanePanel;
    Panel& DesPanel = Des.PanePanel;
    Panel& SrcFolderPanel = Src.FolderPanel;
    Panel& DesFolderPanel = Des.FolderPanel;
    TComboBoxEx& SrcFolderCBoxEx = Src.FolderCBoxEx;
    TComboBoxEx& DesFolderCBoxEx = Des.FolderCBoxEx;
    TFolderView& SrcFolderView = Src.FolderView;
    TFolderView& DesFolderView = Des.FolderView;
    TSplitterEx& SrcHSplitterEx = Src.HSplitterEx;
    TSplitterEx& DesHSplitterEx = Des.HSplitterEx;
    TFileView& SrcFileView = Src.FileView;
    TFileView& DesFileView = Des.FileView;

    HMENU MainMenu = nullptr;
    HMENU FilePopupMenu = nullptr;
    int SrcPanelHeight = 200; // pixels at the window's DPI
    CompareAction Compare = CompareCommand;

    ~TMainDlg() override;
    // Creates the window at its stored bounds and state, not yet shown.
    bool Create();
    int StoredWindowState() const { return storedState_; }
    void ShowInStoredState();

    void FormCreate() override;
    void FormResize() override;
    void FormDpiChanged(UINT oldDpi) override;
    bool FormCloseQuery() override;
    void FormClose() override;
    // The session ends (shutdown, log-off): a close that cannot be refused.
    void FormEndSession();
    bool MenuCommand(WORD id) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Bars and layout.
    bool ToolBarShown() const;
    bool StatusBarShown() const;
    void SetBarsFromMarks();
    void SetSrcPanelHeight(int height);
    void SetFolderPanelWidth(TMainPane& pane, int width);
    void LayoutControls();

    // Routines other parts call.
    void UpdateStatusBar();
    std::string SelectedFilesSize();
    // The reference pane changed: UpdateStatusBar follows once the current action ends.
    void StatusBarDue();
    void UpdateViewStyleMarks(const Control& control);
    void ApplyDragDrop();
    void SelectAllFiles(TFileView& list);

    // Handlers.
    void SrcFileViewClick();
    void DesFileViewClick();
    void SrcFileViewChange();
    void SrcFolderViewChange();
    void SrcFileViewKeyDown(WORD key, bool shift, bool alt, bool ctrl);
    void DesFileViewKeyDown(WORD key, bool shift, bool alt, bool ctrl);
    void SrcFolderViewKeyDown(WORD key, bool shift, bool alt, bool ctrl);
    void DesFolderViewKeyDown(WORD key, bool shift, bool alt, bool ctrl);
    void DesFolderViewChange();
    void SrcFolderCBoxExChange();
    void DesFolderCBoxExChange();
    void ChooseHistoryEntry(TMainPane& pane);
    void SrcFolderCBoxExEnter(const std::wstring& typed);
    void DesFolderCBoxExEnter(const std::wstring& typed);
    void OpenTypedFolder(TMainPane& pane, const std::wstring& typed);
    // The history box shows its pane's folder.
    void UpdateFolderCBoxEx(TMainPane& pane);
    void SrcHSplitterExMoved();
    void DesHSplitterExMoved();
    void FilePopupMenuPopup();
    void ToolBarButtonClick(UINT id);

    // Commands.
    void CompMenuItemClick();
    void WholeCompMenuItemClick();
    void RunCompare(CompareScope scope);
    void ExitMenuItemClick();
    void FolderChangeMenuItemClick();
    void ToolBarMenuItemClick();
    void StatusBarMenuItemClick();
    void SetViewStyleOfFocusedPane(int style);
    void AllSlctMenuItemClick();
    void RefreshMenuItemClick();
    void ToggleOption(UINT id, bool& setting);
    void CompObjDateMenuItemClick();
    void CompObjSizeMenuItemClick();
    void CompObjContentsMenuItemClick();
    void DiscordMenuClick();
    void ContentsMenuItemClick();
    void AboutMenuItemClick();
    void EnvSetMenuItemClick();
    void OtherPaneMenuItemClick();
    // Tab and Shift+Tab; false when the focus is on none of the window's stops.
    bool TabToNextControl(bool back);
    TFileView* FocusedFileView();

    // CompareCommandHost.
    ReferencePane& SrcPane() override;
    int SrcSelectedCount() override;
    std::string SelectedPath(PaneSide side) override;
    std::wstring SelectedRealPath(PaneSide side) override;
    bool IsVirtualFolder(PaneSide side) override;
    void ShowResults() override;
    void AddFolderHistory(PaneSide side, const std::string& path) override;

private:
    int storedState_ = 0;
    bool stateSaved_ = false;
    void SaveState();
    ReferencePane* srcPane_ = nullptr;
    bool statusBarDue_ = false;
    bool statusBarPosted_ = false;
    void CreateMenus();
    void CreateToolBar();
    void CreatePane(TMainPane& pane, bool reference);
    void WireEvents();
    void ShowFilePopup(TFileView& list, POINT screen);
    void RefreshFolderView(TFolderView& view);
    void RefreshFileView(TMainPane& pane);
};

// Builds the main menu and the file popup with every caption and designed mark.
HMENU CreateMainMenu();
HMENU CreateFilePopupMenu();
// Draws the toolbar's pictures; the exit picture has its own disabled look.
HIMAGELIST CreateToolBarPictures(int size, bool disabled);
