#include "mainwindow/About.h"
#include "mainwindow/Help.h"
#include "mainwindow/Main.h"
#include "results/Result.h"
#include "settings/EnvSet.h"
#include "settings/EnvSettings.h"
#include "toolkit/CodePage.h"
#include "toolkit/Menu.h"
#include "toolkit/MessageBoxes.h"

namespace {
const WORD KeyA = 65;
const WORD KeyF5 = 116;
} // namespace

bool TMainDlg::MenuCommand(WORD id)
{
    switch (id) {
    case CompMenuItem:
    case CompPMenuItem:
        CompMenuItemClick();
        return true;
    case WholeCompMenuItem:
        WholeCompMenuItemClick();
        return true;
    case FolderChangeMenuItem:
        FolderChangeMenuItemClick();
        return true;
    case ExitMenuItem:
        ExitMenuItemClick();
        return true;
    case OtherPaneKey:
        OtherPaneMenuItemClick();
        return true;
    case ToolBarMenuItem:
        ToolBarMenuItemClick();
        return true;
    case StatusBarMenuItem:
        StatusBarMenuItemClick();
        return true;
    case LargeIconMenuItem:
    case IconPMenuItem:
        SetViewStyleOfFocusedPane(TFileView::vsIcon);
        return true;
    case SmallIconMenuItem:
    case SmallIconPMenuItem:
        SetViewStyleOfFocusedPane(TFileView::vsSmallIcon);
        return true;
    case ListMenuItem:
    case ListPMenuItem:
        SetViewStyleOfFocusedPane(TFileView::vsList);
        return true;
    case DetailMenuItem:
    case ReportPMenuItem:
        SetViewStyleOfFocusedPane(TFileView::vsReport);
        return true;
    case AllSlctMenuItem:
        AllSlctMenuItemClick();
        return true;
    case RefreshMenuItem:
    case RefreshPMenuItem:
        RefreshMenuItemClick();
        return true;
    case CompObjDateMenuItem:
        CompObjDateMenuItemClick();
        return true;
    case CompObjSizeMenuItem:
        CompObjSizeMenuItemClick();
        return true;
    case CompObjContentsMenuItem:
        CompObjContentsMenuItemClick();
        return true;
    case DiscordMenu:
        DiscordMenuClick();
        return true;
    case EnvSetMenuItem:
        EnvSetMenuItemClick();
        return true;
    case ContentsMenuItem:
        ContentsMenuItemClick();
        return true;
    case AboutMenuItem:
        AboutMenuItemClick();
        return true;
    }
    return false;
}

void TMainDlg::ToolBarButtonClick(UINT id)
{
    switch (id) {
    case ExitTButton:
        ExitMenuItemClick();
        break;
    case IconTButton:
        SetViewStyleOfFocusedPane(TFileView::vsIcon);
        break;
    case SmallIconTButton:
        SetViewStyleOfFocusedPane(TFileView::vsSmallIcon);
        break;
    case ListTButton:
        SetViewStyleOfFocusedPane(TFileView::vsList);
        break;
    case ReportTButton:
        SetViewStyleOfFocusedPane(TFileView::vsReport);
        break;
    case AllSlctTButton:
        AllSlctMenuItemClick();
        break;
    case FolderChangeTButton:
        FolderChangeMenuItemClick();
        break;
    case CompTButton:
        CompMenuItemClick();
        break;
    case WholeCompTButton:
        WholeCompMenuItemClick();
        break;
    }
}

void TMainDlg::CompMenuItemClick()
{
    // Nothing selected, or every item: the folder whole, which also finds what only the
    // target holds beside the items. A folder outside the file system has no whole to
    // list: its items are compared as selected.
    int selected = SrcFileView.SelCount();
    bool whole = selected == 0 || selected == SrcFileView.ItemCount();
    if (whole && SrcFolderView.IsVirtualFolder()) {
        if (selected > 0) RunCompare(CompareScope::Selection);
        else WholeCompMenuItemClick();
        return;
    }
    RunCompare(whole ? CompareScope::Whole : CompareScope::Selection);
}

void TMainDlg::WholeCompMenuItemClick()
{
    if (SrcFolderView.IsVirtualFolder()) {
        ShowInformation(WideOf("「") + SrcFolderView.RealNodeText(SrcFolderView.Selected()) +
                        WideOf("」はファイルシステムのフォルダではないため、全体を比較できませ"
                               "ん。\r\n比較するフォルダを開くか、項目を選択してください。"));
        return;
    }
    RunCompare(CompareScope::Whole);
}

void TMainDlg::RunCompare(CompareScope scope)
{
    if (!Compare) return;
    // The run disables this window, which loses its focus; the keys go back where they were.
    HWND focus = GetFocus();
    Compare(*this, scope);
    if (!IsWindowEnabled(Handle)) return;
    SetActiveWindow(Handle);
    if (focus && IsChild(Handle, focus) && IsWindowVisible(focus)) ::SetFocus(focus);
}

void TMainDlg::ShowResults()
{
    // The folders the run compared: a side without a file-system path (the drives under My
    // Computer) had an empty base, and its parsing name would make no path.
    auto folder = [this](PaneSide side) {
        return IsVirtualFolder(side) ? std::string() : SelectedPath(side);
    };
    ::ShowResults(folder(PaneSide::Src), folder(PaneSide::Des), SelectedRealPath(PaneSide::Src),
                  SelectedRealPath(PaneSide::Des));
}

void TMainDlg::ExitMenuItemClick()
{
    SrcFileView.SelectAll(false);
    Close();
}

void TMainDlg::FolderChangeMenuItemClick()
{
    EnableWindow(Handle, FALSE);
    std::string des = DesFolderView.GetSelectedPath();
    std::string src = SrcFolderView.GetSelectedPath();
    DesFolderView.SelectPath(src);
    SrcFolderView.SelectPath(des);
    EnableWindow(Handle, TRUE);
}

void TMainDlg::ToolBarMenuItemClick()
{
    SetMenuChecked(MainMenu, ToolBarMenuItem, !ToolBarShown());
    SetBarsFromMarks();
}

void TMainDlg::StatusBarMenuItemClick()
{
    SetMenuChecked(MainMenu, StatusBarMenuItem, !StatusBarShown());
    SetBarsFromMarks();
}

TFileView* TMainDlg::FocusedFileView()
{
    HWND focus = GetFocus();
    if (!focus) return nullptr;
    if (focus == SrcFileView.Handle || focus == SrcFolderView.Handle) return &SrcFileView;
    if (focus == DesFileView.Handle || focus == DesFolderView.Handle) return &DesFileView;
    return nullptr;
}

void TMainDlg::SetViewStyleOfFocusedPane(int style)
{
    TFileView* list = FocusedFileView();
    if (!list) return;
    list->SetViewStyle(style);
    UpdateViewStyleMarks(*list);
}

void TMainDlg::FilePopupMenuPopup()
{
    static const UINT items[] = {IconPMenuItem, SmallIconPMenuItem, ListPMenuItem, ReportPMenuItem};
    for (UINT item : items)
        SetMenuChecked(FilePopupMenu, item, false);
    TFileView* list = FocusedFileView();
    if (!list) return;
    int style = list->ViewStyle();
    if (style >= 0 && style <= 3)
        CheckMenuRadio(FilePopupMenu,
                       {IconPMenuItem, SmallIconPMenuItem, ListPMenuItem, ReportPMenuItem},
                       items[style]);
}

void TMainDlg::ShowFilePopup(TFileView& list, POINT screen)
{
    list.SetFocus();
    FilePopupMenuPopup();
    TrackPopupMenu(FilePopupMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle,
                   nullptr);
}

void TMainDlg::AllSlctMenuItemClick()
{
    SelectAllFiles(SrcFileView);
}

void TMainDlg::RefreshFolderView(TFolderView& view)
{
    std::string path = view.GetSelectedPath();
    view.RebuildTree();
    view.SelectPath(path);
}

void TMainDlg::RefreshFileView(TMainPane& pane)
{
    // The tree is read again too, so that a folder made or removed since shows in both.
    if (!pane.FolderView.RefreshTree()) pane.FileView.FillList();
}

void TMainDlg::RefreshMenuItemClick()
{
    HWND focus = GetFocus();
    if (!focus) return;
    if (focus == SrcFolderView.Handle) RefreshFolderView(SrcFolderView);
    if (focus == DesFolderView.Handle) RefreshFolderView(DesFolderView);
    if (focus == SrcFileView.Handle) RefreshFileView(Src);
    if (focus == DesFileView.Handle) RefreshFileView(Des);
}

void TMainDlg::SrcFileViewKeyDown(WORD key, bool shift, bool alt, bool ctrl)
{
    if (alt && !shift && !ctrl) return;
    if (key == KeyA && shift && !alt && !ctrl) SelectAllFiles(SrcFileView);
    if (key == KeyF5) RefreshFileView(Src);
}

void TMainDlg::DesFileViewKeyDown(WORD key, bool, bool, bool)
{
    if (key == KeyF5) RefreshFileView(Des);
}

void TMainDlg::SrcFolderViewKeyDown(WORD key, bool, bool, bool)
{
    if (key == KeyF5) RefreshFolderView(SrcFolderView);
}

void TMainDlg::DesFolderViewKeyDown(WORD key, bool, bool, bool)
{
    if (key == KeyF5) RefreshFolderView(DesFolderView);
}

void TMainDlg::ToggleOption(UINT id, bool& setting)
{
    setting = !setting;
    SetMenuChecked(MainMenu, id, setting);
}

void TMainDlg::CompObjDateMenuItemClick()
{
    ToggleOption(CompObjDateMenuItem, EnvSettings.CompDate);
}

void TMainDlg::CompObjSizeMenuItemClick()
{
    ToggleOption(CompObjSizeMenuItem, EnvSettings.CompSize);
}

void TMainDlg::CompObjContentsMenuItemClick()
{
    ToggleOption(CompObjContentsMenuItem, EnvSettings.CompContents);
}

void TMainDlg::DiscordMenuClick()
{
    ToggleOption(DiscordMenu, EnvSettings.DispDiscord);
}

void TMainDlg::SrcFileViewClick()
{
    if (Control* focused = ControlOf(GetFocus())) UpdateViewStyleMarks(*focused);
}

void TMainDlg::DesFileViewClick()
{
    if (Control* focused = ControlOf(GetFocus())) UpdateViewStyleMarks(*focused);
}

void TMainDlg::SrcFileViewChange()
{
    StatusBarDue();
}

bool TMainDlg::TabToNextControl(bool back)
{
    // Top to bottom as the window shows them: the toolbar, then each pane's history,
    // tree and list.
    HWND order[] = {ToolBar.Handle,         SrcFolderCBoxEx.Handle, SrcFolderView.Handle,
                    SrcFileView.Handle,     DesFolderCBoxEx.Handle, DesFolderView.Handle,
                    DesFileView.Handle};
    const int count = static_cast<int>(std::size(order));
    HWND focus = GetFocus();
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (order[i] == focus || IsChild(order[i], focus)) at = i; // a history box's edit
    if (at < 0 && focus && focus != Handle) return false;
    for (int step = 1; step <= count; ++step) {
        int i = ((back ? at - step : at + step) % count + count) % count;
        if (IsWindowVisible(order[i]) && IsWindowEnabled(order[i])) {
            ::SetFocus(order[i]);
            return true;
        }
    }
    return false;
}

void TMainDlg::OtherPaneMenuItemClick()
{
    // The same control of the other pane; from anywhere else, the reference list.
    HWND focus = GetFocus();
    auto focusOther = [focus](TMainPane& from, TMainPane& to) {
        if (from.FolderCBoxEx.HasFocus()) to.FolderCBoxEx.SetFocus();
        else if (focus == from.FolderView.Handle) to.FolderView.SetFocus();
        else if (focus == from.FileView.Handle) to.FileView.SetFocus();
        else return false;
        return true;
    };
    if (!focusOther(Src, Des) && !focusOther(Des, Src)) SrcFileView.SetFocus();
}

void TMainDlg::SrcHSplitterExMoved()
{
    if (EnvSettings.FolderListResize) SetFolderPanelWidth(Des, Src.FolderPanelWidth);
}

void TMainDlg::DesHSplitterExMoved()
{
    if (EnvSettings.FolderListResize) SetFolderPanelWidth(Src, Des.FolderPanelWidth);
}

void TMainDlg::ContentsMenuItemClick()
{
    // The help travels inside the program: no help file or help system is needed.
    THelpDlg help;
    help.ShowDialog(Handle);
}

void TMainDlg::AboutMenuItemClick()
{
    TAboutDlg about;
    about.ShowDialog(Handle);
}

void TMainDlg::EnvSetMenuItemClick()
{
    TEnvSetDlg dialog;
    if (!dialog.Create(Handle)) return;
    const TEnvSettings& s = EnvSettings;
    dialog.ResultSortRGrp.ItemIndex = s.CompSort;
    dialog.ResultSortKindRGrp.ItemIndex = s.CompSortKind;
    dialog.TreeFont = SrcFolderView.ViewFont();
    dialog.TreeTextColor = SrcFolderView.FontColor();
    dialog.TreeBackColor = SrcFolderView.BackColor();
    dialog.ListFont = SrcFileView.ViewFont();
    dialog.ListTextColor = SrcFileView.FontColor();
    dialog.ListBackColor = SrcFileView.BackColor();
    dialog.ApplyPreviewLooks();
    dialog.FLResizeChkBox.SetChecked(s.FolderListResize);
    dialog.AllSlctChkBox.SetChecked(s.AllSelect);
    dialog.DragDropChkBox.SetChecked(s.DragDrop);
    dialog.SoundChkBox.SetChecked(s.SoundFlag);
    dialog.SameSoundFileEdit.SetText(s.SameSoundFileName);
    dialog.DiscordSoundFileEdit.SetText(s.DiscordSoundFileName);
    dialog.ProgTimeChkBox.SetChecked(s.ProgTime);
    dialog.TargetOnlyChkBox.SetChecked(s.TargetOnly);
    dialog.CheckBox1.SetChecked(s.ExcludeFlag);
    dialog.SetExcludeMasks(s.ExcludeMasks);
    dialog.TextRuleChkBox.SetChecked(s.TextRule);
    dialog.SetTextIgnore(s.TextIgnore);
    if (dialog.ShowModal() != mrOK) return;

    // The views take the previews' looks in the order the dialog has always used.
    SrcFileView.SetBackColor(dialog.ListBackColor);
    DesFolderView.SetBackColor(dialog.TreeBackColor);
    DesFileView.SetBackColor(dialog.ListBackColor);
    SrcFileView.SetViewFont(dialog.ListFont);
    SrcFileView.SetFontColor(dialog.ListTextColor);
    DesFolderView.SetViewFont(dialog.TreeFont);
    DesFolderView.SetFontColor(dialog.TreeTextColor);
    DesFileView.SetViewFont(dialog.ListFont);
    DesFileView.SetFontColor(dialog.ListTextColor);
    SrcFolderView.SetBackColor(dialog.TreeBackColor);
    SrcFolderView.SetViewFont(dialog.TreeFont);
    SrcFolderView.SetFontColor(dialog.TreeTextColor);

    TEnvSettings& e = EnvSettings;
    e.FolderListResize = dialog.FLResizeChkBox.Checked();
    e.AllSelect = dialog.AllSlctChkBox.Checked();
    e.DragDrop = dialog.DragDropChkBox.Checked();
    ApplyDragDrop();
    e.SoundFlag = dialog.SoundChkBox.Checked();
    e.SameSoundFileName = dialog.SameSoundFileEdit.Text();
    e.DiscordSoundFileName = dialog.DiscordSoundFileEdit.Text();
    e.ProgTime = dialog.ProgTimeChkBox.Checked();
    e.TargetOnly = dialog.TargetOnlyChkBox.Checked();
    e.ExcludeFlag = dialog.CheckBox1.Checked();
    // Masks the user changed replace a stored value that could not be read; untouched,
    // that value stays as it was.
    std::vector<std::wstring> masks = dialog.ExcludeMasks();
    if (masks != e.ExcludeMasks) {
        e.ExcludeMasks = std::move(masks);
        e.StoredMasksProblem.clear();
    }
    e.TextRule = dialog.TextRuleChkBox.Checked();
    e.TextIgnore = dialog.TextIgnore();
    e.CompSort = static_cast<uint8_t>(dialog.ResultSortRGrp.ItemIndex);
    e.CompSortKind = static_cast<uint8_t>(dialog.ResultSortKindRGrp.ItemIndex);
}
