#include "results/Result.h"

#include "engine/Util.h"
#include "results/FitText.h"
#include "settings/EnvSettings.h"
#include "toolkit/CodePage.h"

#include <shellapi.h>

int ResultSortDirections[ResultColumnCount] = {1, 1, 1, 1, 1};
ShellExecuteFunction ShellExecuteRequest = ShellExecuteA;
ShellExecuteWideFunction ShellExecuteWideRequest = ShellExecuteW;

namespace {
const WORD TrelkDispPMenuItemId = 101;
const WORD ExplorerPMenuItemId = 102;
const std::string DifferText = "不一致";
} // namespace

TResultDlg::~TResultDlg()
{
    Destroy();
    if (FilePMenu) DestroyMenu(FilePMenu);
}

bool TResultDlg::Open(const std::string& srcFolderPath, const std::string& desFolderPath,
                      const std::wstring& srcRealFolder, const std::wstring& desRealFolder)
{
    SrcRealFolder = srcRealFolder;
    DesRealFolder = desRealFolder;
    FormArgs args;
    args.Caption = "結果";
    args.Width = 643;
    args.Height = 463;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.FontFace = "ＭＳ Ｐゴシック";
    if (!CreateForm(args)) return false;

    SrcFolderDisp.SetCaption(srcFolderPath, srcRealFolder);
    DesFolderDisp.SetCaption(desFolderPath, desRealFolder);
    FileNumSText.SetText(std::to_string(EntryCount));
    NotSameFileSText.SetText(std::to_string(MismatchCount));

    ResultList.SetRedraw(false);
    Rows = OpeningRows(FileEntries, EntryCount, EnvSettings.DispDiscord);
    ResultList.SetRowCount(static_cast<int>(Rows.size()));
    ResultList.SetRedraw(true);
    return true;
}

void TResultDlg::FormCreate()
{
    for (int& direction : ResultSortDirections)
        direction = 1;

    // The two framed boxes and the buttons sit on the window itself: panels that only
    // carried them would cost a window each to make, paint and destroy. Captions keep
    // room for a font that runs wider than the designed one.
    Panel1.Create(Handle, 4, 4, 425, 53, Bevel::RaisedInnerLoweredOuter);
    Label1.Create(Panel1.Handle, "基準フォルダ：", 8, 9, 77, 15);
    SrcFolderDisp.Create(Panel1.Handle, 96, 8, 321, 17);
    Label2.Create(Panel1.Handle, "対象フォルダ：", 8, 29, 77, 15);
    DesFolderDisp.Create(Panel1.Handle, 96, 28, 321, 17);
    Panel2.Create(Handle, 432, 4, 173, 53, Bevel::RaisedInnerLoweredOuter);
    Label3.Create(Panel2.Handle, "対象ファイル数：", 8, 9, 97, 15);
    FileNumSText.Create(Panel2.Handle, "0", 120, 8, 45, 17, TextAlign::Right, true);
    Label4.Create(Panel2.Handle, "不一致ファイル数：", 8, 29, 97, 15);
    NotSameFileSText.Create(Panel2.Handle, "0", 120, 28, 45, 17, TextAlign::Right, true);
    for (Label* label : {&Label1, &Label2})
        FitLabelToText(*label, 86);
    for (Label* label : {&Label3, &Label4})
        FitLabelToText(*label, 110);

    ResultList.Create(Handle, 0, 61, 0, 0, true, true);
    // Nothing of the list is drawn until Open has given it its rows: each column added
    // or size set would otherwise lay out and invalidate the list and its header again.
    ResultList.SetRedraw(false);
    ActiveControl = &ResultList;  // typing finds a row at once
    ResultList.AddColumn("名前", 160, TextAlign::Left);
    ResultList.AddColumn("フォルダ名", 210, TextAlign::Left);
    ResultList.AddColumn("日時", 80, TextAlign::Center);
    ResultList.AddColumn("サイズ", 80, TextAlign::Center);
    ResultList.AddColumn("内容", 80, TextAlign::Center);
    ResultList.OnGetText = [this](int row, int column) {
        if (row < 0 || row >= static_cast<int>(Rows.size())) return std::string();
        return ResultRowText(*Rows[static_cast<size_t>(row)], column);
    };
    ResultList.UseRealTexts([this](int row, int column) {
        if (row < 0 || row >= static_cast<int>(Rows.size())) return std::wstring();
        return ResultRowRealText(*Rows[static_cast<size_t>(row)], column);
    });
    ResultList.OnColumnClick = [this](int column) { ResultListColumnClick(column); };
    ResultList.OnChange = [this] { ResultListChange(); };
    ResultList.OnClick = [this] { ResultListClick(); };
    ResultList.OnContextMenu = [this](POINT at) { ResultListRightClick(at); };
    ResultList.OnEnter = [this] { ResultListEnter(); };
    ResultList.OnCopy = [this] { CopySelectedRows(); };

    OKButton.Create(Handle, "閉じる(&C)", 0, 0, 77, 25, true);
    TrelkDispButton.Create(Handle, "比較表示(&D)", 0, 0, 77, 25);
    SaveButton.Create(Handle, "結果保存(&S)", 0, 0, 77, 25);
    TrelkDispButton.SetEnabled(false);
    DefaultButtonId = OKButton.Id();
    OKButton.OnClick = [this] { OKButtonClick(); };
    TrelkDispButton.OnClick = [this] { TrelkDispButtonClick(); };
    SaveButton.OnClick = [this] { SaveButtonClick(); };

    FilePMenu = CreatePopupMenu();
    AppendMenuA(FilePMenu, MF_STRING | MF_GRAYED, TrelkDispPMenuItemId, "比較表示(&D)");
    AppendMenuA(FilePMenu, MF_STRING, ExplorerPMenuItemId, "エクスプローラ(&E)");
}

void TResultDlg::FormResize()
{
    if (!SaveButton.Exists()) return;
    SIZE client = ClientSize();
    const int header = Scaled(61), footer = Scaled(33);
    ResultList.SetBounds(0, header, client.cx, std::max(0L, client.cy - header - footer));
    // The three buttons as one group centred on the window's outer width, 4 below the list.
    int left = ButtonsLeft(), top = client.cy - footer + Scaled(4);
    OKButton.SetBounds(left + Scaled(12), top, Scaled(77), Scaled(25));
    TrelkDispButton.SetBounds(left + Scaled(96), top, Scaled(77), Scaled(25));
    SaveButton.SetBounds(left + Scaled(180), top, Scaled(77), Scaled(25));
}

int TResultDlg::ButtonsLeft() const
{
    return (Width() - Scaled(ButtonsWidth)) / 2;
}

const FilePairEntry* TResultDlg::SelectedRow() const
{
    int row = ResultList.Selected();
    if (row < 0 || row >= static_cast<int>(Rows.size())) return nullptr;
    return Rows[static_cast<size_t>(row)];
}

void TResultDlg::ResultListClick()
{
    const FilePairEntry* row = SelectedRow();
    bool differ = row && ResultRowText(*row, rcContents) == DifferText;
    TrelkDispButton.SetEnabled(differ);
    EnableMenuItem(FilePMenu, TrelkDispPMenuItemId,
                   MF_BYCOMMAND | (differ ? MF_ENABLED : MF_GRAYED));
}

void TResultDlg::ResultListChange()
{
    ResultListClick();
}

// Enter opens a row as 比較表示 does; it never closes the window and its results.
void TResultDlg::ResultListEnter()
{
    ResultListClick();
    if (SelectedRow() && TrelkDispButton.Enabled()) TrelkDispButtonClick();
}

bool TResultDlg::TrelkDispPMenuItemEnabled() const
{
    return !(GetMenuState(FilePMenu, TrelkDispPMenuItemId, MF_BYCOMMAND) &
             (MF_GRAYED | MF_DISABLED));
}

void TResultDlg::ResultListRightClick(POINT at)
{
    ResultListClick();
    if (!SelectedRow()) return;
    UINT id =
        TrackPopupMenu(FilePMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle, nullptr);
    if (id) MenuCommand(static_cast<WORD>(id));
}

bool TResultDlg::MenuCommand(WORD id)
{
    if (id == TrelkDispPMenuItemId) {
        if (TrelkDispPMenuItemEnabled()) TrelkDispButtonClick();
        return true;
    }
    if (id == ExplorerPMenuItemId) {
        ExplorerPMenuItemClick();
        return true;
    }
    return false;
}

void TResultDlg::ResultListColumnClick(int column)
{
    if (column < 0 || column >= ResultColumnCount) return;
    ResultSortDirections[column] = -ResultSortDirections[column];
    SortRows(column);
}

void TResultDlg::SortRows(int column)
{
    // The selection stays on its row, wherever the sort moves it.
    const FilePairEntry* selected = SelectedRow();
    SortResultRows(Rows, column, ResultSortDirections[column]);
    if (selected) {
        for (size_t i = 0; i < Rows.size(); ++i)
            if (Rows[i] == selected) ResultList.Select(static_cast<int>(i));
    }
    ResultList.Repaint();
}

void TResultDlg::OKButtonClick()
{
    ModalResult = mrOK;
}

void TResultDlg::ExplorerPMenuItemClick()
{
    const FilePairEntry* row = SelectedRow();
    if (!row) return;
    std::wstring realFolder = ResultRowRealText(*row, rcFolder);
    FilePath folder = RecordPath(BasePath(SrcFolderDisp.Caption(), SrcRealFolder), row->Folder,
                                 "", realFolder);
    if (!folder.Real.empty() && folder.Real != WideOf(folder.Text)) {
        // The "?" form names no folder; only the real path opens it.
        std::wstring parameters = L"/e," + folder.Real;
        ShellExecuteWideRequest(nullptr, nullptr, L"explorer", parameters.c_str(), nullptr,
                                SW_SHOWNORMAL);
        return;
    }
    std::string parameters = "/e," + RowFolderPath(SrcFolderDisp.Caption(), row->Folder);
    ShellExecuteRequest(nullptr, nullptr, "explorer", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void ShowResults(const std::string& srcFolderPath, const std::string& desFolderPath,
                 const std::wstring& srcRealFolder, const std::wstring& desRealFolder)
{
    TResultDlg dialog;
    if (!dialog.Open(srcFolderPath, desFolderPath, srcRealFolder, desRealFolder)) return;
    dialog.ShowModal();
}
