#include "results/Result.h"

#include "engine/Util.h"
#include "settings/EnvSettings.h"
#include "toolkit/CodePage.h"

#include <algorithm>
#include <shellapi.h>

int ResultSortDirections[ResultColumnCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
ShellExecuteFunction ShellExecuteRequest = ShellExecuteA;
ShellExecuteWideFunction ShellExecuteWideRequest = ShellExecuteW;

namespace {
const WORD TrelkDispPMenuItemId = 101;
const WORD ExplorerPMenuItemId = 102;
const WORD CopyPMenuItemId = 103;
const WORD TextDiffPMenuItemId = 104;
const std::string DifferText = "不一致";

// The footer: buttons 77 wide (テキスト比較 101), 7 apart, 12 in from either end of their
// group.
const int FooterHeight = 33, ButtonWidth = 77, ButtonHeight = 25, ButtonGap = 7;
const int ButtonMargin = 12, TextDiffButtonWidth = 101;

struct ColumnSpec {
    const char* Caption;
    int Width; // at 96 dpi
    TextAlign Align;
    const char* Widest; // the widest text its cells hold, when known
};
const ColumnSpec Columns[ResultColumnCount] = {
    {"名前", 160, TextAlign::Left, ""},
    {"フォルダ名", 210, TextAlign::Left, ""},
    {"日時", 80, TextAlign::Center, ""},
    {"サイズ", 80, TextAlign::Center, ""},
    {"内容", 80, TextAlign::Center, ""},
    {"基準の日時", 130, TextAlign::Left, "0000/00/00 00:00:00"},
    {"対象の日時", 130, TextAlign::Left, "0000/00/00 00:00:00"},
    {"基準のサイズ", 105, TextAlign::Right, "000,000,000,000"},
    {"対象のサイズ", 105, TextAlign::Right, "000,000,000,000"},
};

// The outer width that shows every column at 96 dpi: the columns, the list's edges and
// scroll bar, the window's frame, with a few pixels to spare.
int WidthForColumns()
{
    int width = 4 + 17 + 16;
    for (const ColumnSpec& column : Columns)
        width += column.Width;
    return width;
}
} // namespace

TResultDlg::~TResultDlg()
{
    Destroy();
    if (FilePMenu) DestroyMenu(FilePMenu);
}

bool TResultDlg::Open(const std::string& srcFolderPath, const std::string& desFolderPath,
                      const std::wstring& srcRealFolder, const std::wstring& desRealFolder)
{
    Folders = {srcFolderPath, desFolderPath, srcRealFolder, desRealFolder};
    FormArgs args;
    args.Caption = "結果";
    args.Width = std::max(643, WidthForColumns());
    args.Height = 463;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.FontFace = "ＭＳ Ｐゴシック";
    if (!CreateForm(args)) return false;

    Counts = CountRecords(FileEntries, EntryCount);
    FillHeader(srcFolderPath, desFolderPath, srcRealFolder, desRealFolder);
    ResultList.SetRedraw(false);
    Rows = OpeningRows(FileEntries, EntryCount, EnvSettings.DispDiscord);
    ResultList.SetRowCount(static_cast<int>(Rows.size()));
    ResultList.SetSortArrow(rcName, 1);
    ResultList.SetRedraw(true);
    return true;
}

void TResultDlg::FormCreate()
{
    for (int& direction : ResultSortDirections)
        direction = 1;

    CreateHeader();
    ResultList.Create(Handle, 0, 61, 0, 0, true, true);
    // Nothing of the list is drawn until Open has given it its rows: each column added
    // or size set would otherwise lay out and invalidate the list and its header again.
    ResultList.SetRedraw(false);
    ActiveControl = &ResultList; // typing finds a row at once
    for (const ColumnSpec& column : Columns)
        ResultList.AddColumn(column.Caption, column.Width, column.Align, column.Widest);
    ResultList.OnGetText = [this](int row, int column) {
        if (row < 0 || row >= static_cast<int>(Rows.size())) return std::string();
        return ResultCellText(Folders, *Rows[static_cast<size_t>(row)], column);
    };
    ResultList.UseRealTexts([this](int row, int column) {
        if (row < 0 || row >= static_cast<int>(Rows.size())) return std::wstring();
        return ResultCellRealText(Folders, *Rows[static_cast<size_t>(row)], column);
    });
    ResultList.OnColumnClick = [this](int column) { ResultListColumnClick(column); };
    ResultList.OnChange = [this] { ResultListChange(); };
    ResultList.OnClick = [this] { ResultListClick(); };
    ResultList.OnDoubleClick = [this] { ResultListDblClick(); };
    ResultList.OnContextMenu = [this](POINT at) { ResultListRightClick(at); };
    ResultList.OnEnter = [this] { ResultListEnter(); };
    ResultList.OnCopy = [this] { CopySelectedRows(); };

    OKButton.Create(Handle, "閉じる(&C)", 0, 0, ButtonWidth, ButtonHeight, true);
    TrelkDispButton.Create(Handle, "比較表示(&D)", 0, 0, ButtonWidth, ButtonHeight);
    TextDiffButton.Create(Handle, "テキスト比較(&T)", 0, 0, TextDiffButtonWidth, ButtonHeight);
    SaveButton.Create(Handle, "結果保存(&S)", 0, 0, ButtonWidth, ButtonHeight);
    FooterButtons = {&OKButton, &TrelkDispButton, &TextDiffButton, &SaveButton};
    TrelkDispButton.SetEnabled(false);
    TextDiffButton.SetEnabled(false);
    DefaultButtonId = OKButton.Id();
    OKButton.OnClick = [this] { OKButtonClick(); };
    TrelkDispButton.OnClick = [this] { TrelkDispButtonClick(); };
    TextDiffButton.OnClick = [this] { TextDiffButtonClick(); };
    SaveButton.OnClick = [this] { SaveButtonClick(); };

    CreateFilePMenu();
    FitToColumns();
}

// One place for the popup menu, so that a new command is one more line here.
void TResultDlg::CreateFilePMenu()
{
    FilePMenu = CreatePopupMenu();
    AppendMenuA(FilePMenu, MF_STRING | MF_GRAYED, TrelkDispPMenuItemId, "比較表示(&D)");
    AppendMenuA(FilePMenu, MF_STRING | MF_GRAYED, TextDiffPMenuItemId, "テキスト比較(&T)");
    AppendMenuA(FilePMenu, MF_STRING, ExplorerPMenuItemId, "エクスプローラ(&E)");
    AppendMenuA(FilePMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(FilePMenu, MF_STRING, CopyPMenuItemId, "コピー(&C)\tCtrl+C");
}

// Wide enough for every column where the screen allows, centred on it again: the form
// was made for the columns at their widths at 96 dpi, which a font may need wider.
void TResultDlg::FitToColumns()
{
    int columns = 0;
    for (int i = 0; i < ResultList.ColumnCount(); ++i)
        columns += static_cast<int>(SendMessageA(ResultList.Handle, LVM_GETCOLUMNWIDTH, i, 0));
    RECT outer{}, client{}, listClient{};
    GetWindowRect(Handle, &outer);
    GetClientRect(Handle, &client);
    GetClientRect(ResultList.Handle, &listClient);
    const int frame = (outer.right - outer.left) - client.right;
    const int listEdges = ResultList.Width() - listClient.right;
    const int wanted = columns + listEdges + GetSystemMetrics(SM_CXVSCROLL) + frame;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Handle, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int now = outer.right - outer.left;
    const int width = std::min<int>(std::max(now, wanted), work.right - work.left);
    if (width == now && outer.left >= work.left) return;
    const int left = work.left + (work.right - work.left - width) / 2;
    SetWindowPos(Handle, nullptr, left, outer.top, width, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TResultDlg::FormResize()
{
    if (!SaveButton.Exists()) return;
    SIZE client = ClientSize();
    const int header = LayOutHeader(client.cx), footer = Scaled(FooterHeight);
    HeaderBoard.SetBounds(0, 0, client.cx, header);
    ResultList.SetBounds(0, header, client.cx, std::max(0L, client.cy - header - footer));
    // The buttons as one group centred on the window's outer width, 4 below the list.
    const int left = ButtonsLeft(), top = client.cy - footer + Scaled(4);
    int offset = ButtonMargin; // at 96 dpi
    for (Button* button : FooterButtons) {
        const int width = button == &TextDiffButton ? TextDiffButtonWidth : ButtonWidth;
        button->SetBounds(left + Scaled(offset), top, Scaled(width), Scaled(ButtonHeight));
        offset += width + ButtonGap;
    }
}

int TResultDlg::ButtonsWidth() const
{
    int width = 2 * ButtonMargin - ButtonGap;
    for (const Button* button : FooterButtons)
        width += (button == &TextDiffButton ? TextDiffButtonWidth : ButtonWidth) + ButtonGap;
    return width;
}

int TResultDlg::ButtonsLeft() const
{
    return (Width() - Scaled(ButtonsWidth())) / 2;
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
    // Texts the text rule found equal still differ in their bytes.
    bool differ = row && (ResultRowText(*row, rcContents) == DifferText ||
                          IsTextEquivalence(row->ContentsResult));
    TrelkDispButton.SetEnabled(differ);
    TextDiffButton.SetEnabled(differ);
    for (WORD item : {TrelkDispPMenuItemId, TextDiffPMenuItemId})
        EnableMenuItem(FilePMenu, item, MF_BYCOMMAND | (differ ? MF_ENABLED : MF_GRAYED));
}

void TResultDlg::ResultListChange()
{
    ResultListClick();
}

void TResultDlg::OpenSelectedRow()
{
    ResultListClick();
    if (SelectedRow() && TrelkDispButton.Enabled()) TrelkDispButtonClick();
}

// Enter opens a row as 比較表示 does; it never closes the window and its results.
void TResultDlg::ResultListEnter()
{
    OpenSelectedRow();
}

void TResultDlg::ResultListDblClick()
{
    ResultListClick();
    if (SelectedRow() && TextDiffButton.Enabled()) OpenSelectedPair();
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
    switch (id) {
    case TrelkDispPMenuItemId:
        if (TrelkDispPMenuItemEnabled()) TrelkDispButtonClick();
        return true;
    case TextDiffPMenuItemId:
        if (TrelkDispPMenuItemEnabled()) TextDiffButtonClick();
        return true;
    case ExplorerPMenuItemId:
        ExplorerPMenuItemClick();
        return true;
    case CopyPMenuItemId:
        CopySelectedRows();
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
    SortResultRows(Rows, column, ResultSortDirections[column], &Folders);
    ResultList.SetSortArrow(column, ResultSortDirections[column]);
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

// The folder that holds the row's file: the reference's, or the target's for a row only
// the target holds.
void TResultDlg::ExplorerPMenuItemClick()
{
    const FilePairEntry* row = SelectedRow();
    if (!row) return;
    FilePath folder = RowFolder(Folders, *row);
    if (!folder.Real.empty() && folder.Real != WideOf(folder.Text)) {
        // The "?" form names no folder; only the real path opens it.
        std::wstring parameters = L"/e," + folder.Real;
        ShellExecuteWideRequest(nullptr, nullptr, L"explorer", parameters.c_str(), nullptr,
                                SW_SHOWNORMAL);
        return;
    }
    std::string parameters = "/e," + folder.Text;
    ShellExecuteRequest(nullptr, nullptr, "explorer", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void ShowResults(const std::string& srcFolderPath, const std::string& desFolderPath,
                 const std::wstring& srcRealFolder, const std::wstring& desRealFolder)
{
    TResultDlg dialog;
    if (!dialog.Open(srcFolderPath, desFolderPath, srcRealFolder, desRealFolder)) return;
    dialog.ShowModal();
}
