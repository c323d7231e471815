#include "mainwindow/Main.h"

#include "engine/Util.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/MainState.h"
#include "mainwindow/PaneProvider.h"
#include "results/VerdictText.h"
#include "settings/EnvReg.h"
#include "settings/EnvSettings.h"
#include "toolkit/AccessibleName.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"

bool SelectAllInProgress = false;

namespace {
const std::vector<ToolBarButton> ToolBarButtons = {
    {ExitTButton, 0, "終了"},
    {},
    {IconTButton, 1, "大きいアイコン", true},
    {SmallIconTButton, 2, "小さいアイコン", true},
    {ListTButton, 3, "一覧", true},
    {ReportTButton, 4, "詳細", true},
    {},
    {AllSlctTButton, 5, "すべて選択"},
    {FolderChangeTButton, 6, "比較元と比較先のフォルダを入れ替えます", false, 23},
    {},
    {CompTButton, 7, "選択ﾌｧｲﾙを比較"},
    {WholeCompTButton, 8, "フォルダ全体を比較"},
};

void ChangeStyle(HWND window, DWORD add, DWORD remove)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style | add) & ~remove);
}

void Place(Control& control, const RECT& r)
{
    control.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Posted to the window when the reference pane changed: the status bar is rewritten
// once, after the action that changed it, however many items it touched.
constexpr UINT WM_STATUSBARDUE = WM_APP + 13;
const int PaneLabelMargin = 8; // room either side of 基準 / 対象
} // namespace

TMainDlg::~TMainDlg()
{
    delete srcPane_;
    if (Handle) {
        // The menus go with the window; the popup and the font are ours to free.
        Destroy();
    }
    if (FilePopupMenu) DestroyMenu(FilePopupMenu);
}

bool TMainDlg::Create()
{
    FormArgs args;
    args.Caption = "Vexil32";
    args.Width = 661;
    args.Height = 497;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::All;
    args.Centered = false;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.OwnerIsDesktop = true;
    return CreateForm(args);
}

void TMainDlg::ShowInStoredState()
{
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    int state = storedState_ >= 0 && storedState_ <= 2 ? storedState_ : 0;
    ShowWindow(Handle, commands[state]);
    UpdateWindow(Handle);
    // Keys work at once: they go to the reference list, where the comparison starts.
    if (GetActiveWindow() == Handle) SrcFileView.SetFocus();
}

void TMainDlg::FormCreate()
{
    MainMenu = CreateMainMenu();
    SetMenu(Handle, MainMenu);
    FilePopupMenu = CreateFilePopupMenu();
    SetWindowPos(Handle, nullptr, 299, 97, Scaled(661), Scaled(497), SWP_NOZORDER | SWP_NOACTIVATE);
    // At a large scale the designed window may be larger than the screen.
    FitIntoWorkArea(Handle);
    SrcPanelHeight = Scaled(DesignedSrcPanelHeight);
    Src.FolderPanelWidth = Des.FolderPanelWidth = Scaled(DesignedFolderPanelWidth);

    TopDock.Create(Handle, 0, 0, 600, TopDockHeight);
    CreateToolBar();
    StatusBar.Create(Handle, {200, 200}, StatusBarHeight);
    SrcDesPanel.Create(Handle, 0, TopDockHeight, 600, 400);
    CreatePane(Src, true);
    VSplitter.Create(SrcDesPanel.Handle, false, 0, 200, 600, SplitterThickness);
    CreatePane(Des, false);
    WireEvents();
    srcPane_ = new PaneProvider(SrcFolderView, SrcFileView);
    LayoutControls();

    storedState_ = LoadMainState(*this);
    LoadEnvironment();
    SetMenuChecked(MainMenu, DiscordMenu, EnvSettings.DispDiscord);
    SetMenuChecked(MainMenu, CompObjDateMenuItem, EnvSettings.CompDate);
    SetMenuChecked(MainMenu, CompObjSizeMenuItem, EnvSettings.CompSize);
    SetMenuChecked(MainMenu, CompObjContentsMenuItem, EnvSettings.CompContents);
    UpdateStatusBar();
    UpdateFolderCBoxEx(Src);
    UpdateFolderCBoxEx(Des);
    if (EnvSettings.AllSelect) SelectAllFiles(SrcFileView);
    ApplyDragDrop();
}

void TMainDlg::CreateToolBar()
{
    ToolBar.Create(TopDock, "標準バー", ToolBarButtons, CreateToolBarPictures);
    ToolBar.SetDown(IconTButton, true);
}

void TMainDlg::CreatePane(TMainPane& pane, bool reference)
{
    pane.PanePanel.Create(SrcDesPanel.Handle, 0, 0, 600, 200);
    pane.FolderPanel.Create(pane.PanePanel.Handle, 0, 0, 180, 200);
    const std::string side = reference ? "基準" : "対象";
    pane.PaneLabel.Create(pane.FolderPanel.Handle, side, 0, 0, 0, FolderCBoxExHeight,
                          TextAlign::Center, false, true);
    pane.FolderCBoxEx.Create(pane.FolderPanel.Handle, 0, 0, 180, FolderCBoxExHeight, 10, 12);
    pane.FolderView.Create(pane.FolderPanel.Handle, 0, FolderCBoxExHeight, 180, 180);
    pane.FolderView.SetReadOnly(true);
    pane.FolderView.SetIndent(19);
    pane.FolderView.RightClickSelect = reference;
    ChangeStyle(pane.FolderView.Handle, TVS_SHOWSELALWAYS | TVS_INFOTIP | WS_TABSTOP,
                TVS_LINESATROOT);
    pane.HSplitterEx.Create(pane.PanePanel.Handle, true, 180, 0, SplitterThickness, 200);
    pane.FileView.Create(pane.PanePanel.Handle, 183, 0, 400, 200);
    pane.FileView.FileExecute = false;
    pane.FileView.SetReadOnly(true);
    pane.FileView.SetRowSelect(reference);
    pane.FileView.SetViewStyle(TFileView::vsList);
    pane.FileView.SetViewFont("ＭＳ Ｐゴシック", 9, 0);
    ChangeStyle(pane.FileView.Handle, LVS_SHOWSELALWAYS | WS_TABSTOP, 0);
    pane.FolderView.SetFileView(&pane.FileView);
    pane.FolderView.SetDropFiles(false);

    // Names for assistive technology: the pane and the role of each control.
    SetAccessibleName(pane.FolderCBoxEx.Handle, side + " フォルダ履歴");
    SetAccessibleName(pane.FolderView.Handle, side + " フォルダツリー");
    SetAccessibleName(pane.FileView.Handle, side + " ファイル一覧");

    pane.HSplitterEx.SizeOfTarget = [&pane] { return pane.FolderPanelWidth; };
    pane.HSplitterEx.ResizeTarget = [this, &pane](int width) { SetFolderPanelWidth(pane, width); };
}

void TMainDlg::WireEvents()
{
    ToolBar.OnButtonClick = [this](UINT id) { ToolBarButtonClick(id); };
    VSplitter.SizeOfTarget = [this] { return SrcPanelHeight; };
    VSplitter.ResizeTarget = [this](int height) { SetSrcPanelHeight(height); };
    SrcHSplitterEx.OnMoved = [this] { SrcHSplitterExMoved(); };
    DesHSplitterEx.OnMoved = [this] { DesHSplitterExMoved(); };

    SrcFileView.OnClick = [this] { SrcFileViewClick(); };
    SrcFolderView.OnClick = [this] { SrcFileViewClick(); };
    DesFileView.OnClick = [this] { DesFileViewClick(); };
    DesFolderView.OnClick = [this] { DesFileViewClick(); };
    // Only the reference pane reports its changes: the status bar describes it alone.
    SrcFileView.OnChange = [this] { SrcFileViewChange(); };
    SrcFolderView.OnChange = [this] { SrcFolderViewChange(); };
    DesFolderView.OnChange = [this] { DesFolderViewChange(); };
    SrcFileView.OnKeyDown = [this](WORD k, bool s, bool a, bool c) {
        SrcFileViewKeyDown(k, s, a, c);
    };
    DesFileView.OnKeyDown = [this](WORD k, bool s, bool a, bool c) {
        DesFileViewKeyDown(k, s, a, c);
    };
    SrcFolderView.OnKeyDown = [this](WORD k, bool s, bool a, bool c) {
        SrcFolderViewKeyDown(k, s, a, c);
    };
    DesFolderView.OnKeyDown = [this](WORD k, bool s, bool a, bool c) {
        DesFolderViewKeyDown(k, s, a, c);
    };
    SrcFolderCBoxEx.OnChange = [this] { SrcFolderCBoxExChange(); };
    DesFolderCBoxEx.OnChange = [this] { DesFolderCBoxExChange(); };
    SrcFolderCBoxEx.OnEnter = [this](const std::wstring& t) { SrcFolderCBoxExEnter(t); };
    DesFolderCBoxEx.OnEnter = [this](const std::wstring& t) { DesFolderCBoxExEnter(t); };
    SrcFileView.OnContextMenu = [this](POINT p) { ShowFilePopup(SrcFileView, p); };
    DesFileView.OnContextMenu = [this](POINT p) { ShowFilePopup(DesFileView, p); };
}

bool TMainDlg::ToolBarShown() const
{
    return MenuChecked(MainMenu, ToolBarMenuItem);
}
bool TMainDlg::StatusBarShown() const
{
    return MenuChecked(MainMenu, StatusBarMenuItem);
}

void TMainDlg::SetBarsFromMarks()
{
    TopDock.SetVisible(ToolBarShown());
    ToolBar.SetVisible(ToolBarShown());
    StatusBar.SetVisible(StatusBarShown());
    LayoutControls();
}

void TMainDlg::SetSrcPanelHeight(int height)
{
    SrcPanelHeight = height;
    LayoutControls();
}

void TMainDlg::SetFolderPanelWidth(TMainPane& pane, int width)
{
    pane.FolderPanelWidth = width;
    LayoutControls();
}

void TMainDlg::LayoutControls()
{
    if (!SrcDesPanel.Handle) return;
    SIZE client = ClientSize();
    MainRects m =
        LayoutMain(client.cx, client.cy, ToolBarShown(), StatusBarShown(), SrcPanelHeight, Dpi);
    Place(TopDock, m.TopDock);
    Place(StatusBar, m.StatusBar);
    Place(SrcDesPanel, m.SrcDesPanel);
    Place(SrcPanel, m.SrcPanel);
    Place(VSplitter, m.VSplitter);
    Place(DesPanel, m.DesPanel);
    for (TMainPane* pane : {&Src, &Des}) {
        RECT r = pane->PanePanel.Bounds();
        PaneRects p = LayoutPane(r.right - r.left, r.bottom - r.top, pane->FolderPanelWidth, Dpi,
                                 pane->PaneLabel.TextWidth() + Scaled(PaneLabelMargin));
        Place(pane->FolderPanel, p.FolderPanel);
        Place(pane->PaneLabel, p.PaneLabel);
        Place(pane->HSplitterEx, p.HSplitter);
        Place(pane->FileView, p.FileView);
        Place(pane->FolderCBoxEx, {p.FolderCBoxEx.left, p.FolderCBoxEx.top, p.FolderCBoxEx.right,
                                   p.FolderCBoxEx.top + pane->FolderCBoxEx.Height()});
        Place(pane->FolderView, p.FolderView);
    }
}

void TMainDlg::FormResize()
{
    LayoutControls();
}

void TMainDlg::FormDpiChanged(UINT oldDpi)
{
    // The panes keep their share of the window; the views' fonts keep their points.
    SrcPanelHeight = MulDiv(SrcPanelHeight, Dpi, oldDpi);
    for (TMainPane* pane : {&Src, &Des})
        pane->FolderPanelWidth = MulDiv(pane->FolderPanelWidth, Dpi, oldDpi);
}

bool TMainDlg::FormCloseQuery()
{
    SaveState();
    return true;
}

void TMainDlg::SaveState()
{
    // Once per run: after a session end has saved, a later close must not write again.
    if (stateSaved_) return;
    stateSaved_ = true;
    SaveMainState(*this);
    SaveEnvironment();
}

void TMainDlg::FormEndSession()
{
    // Windows ends the process soon after this returns: save now, then leave the loop.
    SaveState();
    PostQuitMessage(0);
}

void TMainDlg::FormClose()
{
    Destroy();
    if (Application.MainWindow) PostQuitMessage(0);
}

bool TMainDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == WM_STATUSBARDUE) {
        statusBarPosted_ = false;
        if (statusBarDue_) UpdateStatusBar();
        result = 0;
        return true;
    }
    // Esc through the dialog navigation must not close the main window.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) {
        result = 0;
        return true;
    }
    // Shutdown or log-off: the close is always granted, and the state is saved when the
    // session really ends (not when it is only asked, since another program may refuse).
    if (message == WM_QUERYENDSESSION) {
        result = TRUE;
        return true;
    }
    if (message == WM_ENDSESSION) {
        if (wParam) FormEndSession();
        result = 0;
        return true;
    }
    return false;
}

void TMainDlg::UpdateStatusBar()
{
    if (SelectAllInProgress) return;
    statusBarDue_ = false;
    TFileView& list = SrcFileView;
    int selected = list.SelCount();
    if (selected == 0) {
        StatusBar.SetPanelText(1, SizeText(static_cast<int64_t>(list.TotalFileSize())));
        StatusBar.SetPanelText(0, std::to_string(list.ItemCount()) + " 個のオブジェクト");
        return;
    }
    if (selected > 1) {
        StatusBar.SetPanelText(1, SelectedFilesSize());
    } else {
        // Sizes come from what the list read at its fill; an object without find data
        // (outside the file system) has none to show, nor has a folder.
        uint64_t size = 0;
        bool isFolder = false;
        bool known = list.ItemFileFacts(list.FirstSelected(), size, isFolder);
        StatusBar.SetPanelText(1, known && !isFolder ? SizeText(static_cast<int64_t>(size)) : "");
    }
    StatusBar.SetPanelText(0, std::to_string(selected) + " 個のオブジェクトを選択");
}

std::string TMainDlg::SelectedFilesSize()
{
    int64_t total = 0;
    TFileView& list = SrcFileView;
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i)) {
        uint64_t size = 0;
        bool isFolder = false;
        if (list.ItemFileFacts(i, size, isFolder) && !isFolder) total += static_cast<int64_t>(size);
    }
    return SizeText(total);
}

void TMainDlg::StatusBarDue()
{
    statusBarDue_ = true;
    if (statusBarPosted_ || !Handle) return;
    statusBarPosted_ = PostMessageA(Handle, WM_STATUSBARDUE, 0, 0) != FALSE;
}

void TMainDlg::UpdateViewStyleMarks(const Control& control)
{
    TFileView* list = nullptr;
    if (&control == &SrcFileView || &control == &SrcFolderView) list = &SrcFileView;
    if (&control == &DesFileView || &control == &DesFolderView) list = &DesFileView;
    if (!list) return;
    static const UINT items[] = {LargeIconMenuItem, SmallIconMenuItem, ListMenuItem,
                                 DetailMenuItem};
    static const UINT buttons[] = {IconTButton, SmallIconTButton, ListTButton, ReportTButton};
    int style = list->ViewStyle();
    if (style < 0 || style > 3) return;
    CheckMenuRadio(MainMenu, {LargeIconMenuItem, SmallIconMenuItem, ListMenuItem, DetailMenuItem},
                   items[style]);
    ToolBar.SetDown(buttons[style], true);
}

void TMainDlg::ApplyDragDrop()
{
    SrcFolderView.SetDropFiles(EnvSettings.DragDrop);
    SrcFileView.SetDropFiles(EnvSettings.DragDrop);
    DesFolderView.SetDropFiles(EnvSettings.DragDrop);
    DesFileView.SetDropFiles(EnvSettings.DragDrop);
}

void TMainDlg::SelectAllFiles(TFileView& list)
{
    SelectAllInProgress = true;
    list.SelectAll(true); // every item, first to last, in one call
    SelectAllInProgress = false;
    // One refresh for the whole selection, so the status bar does not go on showing
    // the figures from before it.
    UpdateStatusBar();
}

ReferencePane& TMainDlg::SrcPane()
{
    return *srcPane_;
}
int TMainDlg::SrcSelectedCount()
{
    return SrcFileView.SelCount();
}

std::string TMainDlg::SelectedPath(PaneSide side)
{
    return side == PaneSide::Src ? SrcFolderView.GetSelectedPath()
                                 : DesFolderView.GetSelectedPath();
}

std::wstring TMainDlg::SelectedRealPath(PaneSide side)
{
    return side == PaneSide::Src ? SrcFolderView.GetSelectedRealPath()
                                 : DesFolderView.GetSelectedRealPath();
}

bool TMainDlg::IsVirtualFolder(PaneSide side)
{
    return side == PaneSide::Src ? SrcFolderView.IsVirtualFolder()
                                 : DesFolderView.IsVirtualFolder();
}

