// The folder history boxes of the panes: the folder each pane shows, a path typed into
// a box, an entry chosen from its history, and the histories the compare command adds to.
#include "mainwindow/FolderHistory.h"
#include "mainwindow/Main.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

void TMainDlg::SrcFolderViewChange()
{
    StatusBarDue();
    UpdateFolderCBoxEx(Src);
}

void TMainDlg::DesFolderViewChange()
{
    UpdateFolderCBoxEx(Des);
}

void TMainDlg::UpdateFolderCBoxEx(TMainPane& pane)
{
    // A folder outside the file system (the desktop, My Computer) by its name as shown.
    std::wstring path = pane.FolderView.GetSelectedRealPath();
    if (path.empty()) path = pane.FolderView.RealNodeText(pane.FolderView.Selected());
    pane.FolderCBoxEx.SetShownText(path);
}

void TMainDlg::SrcFolderCBoxExChange()
{
    ChooseHistoryEntry(Src);
}

void TMainDlg::DesFolderCBoxExChange()
{
    ChooseHistoryEntry(Des);
}

void TMainDlg::ChooseHistoryEntry(TMainPane& pane)
{
    std::wstring path = pane.FolderCBoxEx.RealItem(pane.FolderCBoxEx.ItemIndex());
    // A folder removed since it was remembered: say so, and the pane stays where it is.
    if (!pane.FolderView.Reaches(path)) {
        pane.FolderCBoxEx.SetItemIndex(0);
        ShowInformation(WideOf("フォルダが見つかりません。\r\n") + path);
        return;
    }
    pane.FolderView.SelectPath(path);
    ::AddFolderHistory(pane.FolderCBoxEx, path);
    pane.FileView.SetFocus();
}

void TMainDlg::SrcFolderCBoxExEnter(const std::wstring& typed)
{
    OpenTypedFolder(Src, typed);
}

void TMainDlg::DesFolderCBoxExEnter(const std::wstring& typed)
{
    OpenTypedFolder(Des, typed);
}

void TMainDlg::OpenTypedFolder(TMainPane& pane, const std::wstring& typed)
{
    TComboBoxEx& box = pane.FolderCBoxEx;
    std::wstring path = TypedFolderPath(typed, pane.FolderView.GetSelectedRealPath());
    // Nothing typed, or the folder shown: the list, where the work goes on.
    if (path.empty() || typed == box.ShownText()) {
        box.SetEditText(box.ShownText());
        pane.FileView.SetFocus();
        return;
    }
    if (!pane.FolderView.OpenFolder(path)) {
        // The pane stays where it is; the typed text waits for a correction.
        ShowInformation(WideOf("フォルダが見つかりません。\r\n") + path);
        box.SetFocus();
        box.SetEditText(typed);
        return;
    }
    ::AddFolderHistory(box, box.ShownText());
    pane.FileView.SetFocus();
}

void TMainDlg::AddFolderHistory(PaneSide side, const std::string& path)
{
    TMainPane& pane = side == PaneSide::Src ? Src : Des;
    // The pane's own folder goes in as the file system spells it.
    std::wstring real = pane.FolderView.GetSelectedRealPath();
    ::AddFolderHistory(pane.FolderCBoxEx,
                       !real.empty() && CodePageText(real) == path ? real : WideOf(path));
}
