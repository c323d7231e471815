#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/CodePage.h"
#include "toolkit/ListView.h"

// The list control itself: creation, notifications, options and appearance.
namespace {
// The list view class's own procedure, behind TFileView::WindowProc.
WNDPROC ListViewProc = nullptr;

struct ColumnSpec {
    const char* Caption;
    int Width;
    int Format;
};
const ColumnSpec Columns[TFileView::ColumnCount] = {
    {"名前", 120, LVCFMT_LEFT},
    {"サイズ", 60, LVCFMT_RIGHT},
    {"ファイルの種類", 120, LVCFMT_LEFT},
    {"更新日時", 120, LVCFMT_LEFT},
};

// Window style bits of each view style, in the order of ViewStyle.
const DWORD StyleBits[4] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

void InsertColumns(HWND list, UINT dpi)
{
    for (int i = 0; i < TFileView::ColumnCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(Columns[i].Caption);
        column.cx = ScaleTo(Columns[i].Width, dpi);
        column.fmt = Columns[i].Format;
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}
} // namespace

TFileView::~TFileView()
{
    if (tree_) tree_->fileView_ = nullptr;
    tree_ = nullptr;
    if (Handle && IsWindow(Handle)) SendMessageA(Handle, LVM_SETITEMCOUNT, 0, 0);
    FreeAllItems();
    Destroy();
    if (folder_) folder_->Release();
    FreeIdList(folderId_);
}

bool TFileView::Create(HWND parent, int left, int top, int width, int height)
{
    DWORD style = WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SHAREIMAGELISTS | LVS_EDITLABELS |
                  LVS_SHOWSELALWAYS | LVS_OWNERDATA;
    if (!CreateChild(parent, WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE, left, top, width, height))
        return false;
    // Subclassed through the window procedure itself: the common controls' subclassing
    // looks up a window property (a server round trip under Wine) for every message.
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    if (!ListViewProc) ListViewProc = previous;
    InsertColumns(Handle, Dpi);
    SendMessageA(Handle, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(SystemImageList(false)));
    SendMessageA(Handle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(SystemImageList(true)));
    // Texts are asked in UTF-16, so that names the code page cannot hold show as they are.
    SendMessageA(Handle, LVM_SETUNICODEFORMAT, TRUE, 0);
    // The link overlay is asked of the rows along with texts and icons.
    SendMessageA(Handle, LVM_SETCALLBACKMASK, LVIS_OVERLAYMASK, 0);
    ApplyLook();
    if (folder_) FillList();
    return true;
}

// The icon, link overlay and id list of a row, asked by the list in either text form.
template <typename Item> void TFileView::FillRowLook(Item& item) const
{
    const Row* row = RowAt(item.iItem);
    if (!row) return;
    if (item.mask & LVIF_IMAGE) item.iImage = row->Image;
    if (item.mask & LVIF_STATE)
        item.state = (item.state & ~LVIS_OVERLAYMASK) | (row->Link ? INDEXTOOVERLAYMASK(2) : 0);
    if (item.mask & LVIF_PARAM) item.lParam = reinterpret_cast<LPARAM>(row->Id);
}

bool TFileView::Notify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
        const std::string* text = RowText(item.iItem, item.iSubItem);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynA(item.pszText, text ? text->c_str() : "", item.cchTextMax);
        FillRowLook(item);
        return true;
    }
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        const std::string* text = RowText(item.iItem, item.iSubItem);
        const Row* row = item.iSubItem == 0 ? RowAt(item.iItem) : nullptr;
        if (row && !row->RealCaption.empty() && (item.mask & LVIF_TEXT) && item.pszText &&
            item.cchTextMax > 0) {
            lstrcpynW(item.pszText, row->RealCaption.c_str(), item.cchTextMax);
        } else if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            int n = MultiByteToWideChar(CP_ACP, 0, text ? text->c_str() : "", -1, item.pszText,
                                        item.cchTextMax);
            if (n <= 0) item.pszText[item.cchTextMax - 1] = L'\0';
        }
        FillRowLook(item);
        return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
        FindRequest find;
        result = ReadFindRequest(header, find) ? FindCaption(find.Text, find.Start, find.Wrap) : -1;
        return true;
    }
    case LVN_ODSTATECHANGED: // a range of items selected at once (Shift with a click)
    case LVN_ITEMCHANGED:
        if (changeBatch_ > 0)
            changePending_ = true;
        else if (OnChange)
            OnChange();
        return true;
    case LVN_COLUMNCLICK:
        ColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        return true;
    case NM_DBLCLK:
        OpenSelected();
        return false;
    case NM_CLICK:
        if (OnClick) OnClick();
        return false;
    case LVN_KEYDOWN:
        // Explorer's keys: Enter opens as a double click does, Backspace goes up.
        if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_RETURN) OpenSelected();
        if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_BACK && tree_) tree_->SelectParent();
        if (OnKeyDown)
            OnKeyDown(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey, GetKeyState(VK_SHIFT) < 0,
                      GetKeyState(VK_MENU) < 0, GetKeyState(VK_CONTROL) < 0);
        result = 0;
        return true;
    case LVN_ENDLABELEDITA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
        result = info->item.pszText ? EndLabelEdit(info->item.iItem, info->item.pszText) : FALSE;
        return true;
    }
    case LVN_ENDLABELEDITW: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        // "?" for what the code page cannot hold: a look-alike would name another object.
        result = info->item.pszText
                     ? EndLabelEdit(info->item.iItem, CodePageText(info->item.pszText).c_str())
                     : FALSE;
        return true;
    }
    }
    return false;
}

// ---- options

int TFileView::ViewStyle() const
{
    if (!Handle) return vsIcon;
    DWORD bits = static_cast<DWORD>(GetWindowLongA(Handle, GWL_STYLE)) & LVS_TYPEMASK;
    for (int i = 0; i < 4; ++i)
        if (StyleBits[i] == bits) return i;
    return vsIcon;
}

void TFileView::SetViewStyle(int style)
{
    if (!Handle || style < 0 || style > 3 || style == ViewStyle()) return;
    LONG bits = GetWindowLongA(Handle, GWL_STYLE);
    SetWindowLongA(Handle, GWL_STYLE, static_cast<LONG>((bits & ~LVS_TYPEMASK) | StyleBits[style]));
    // Nothing of the old layout may stay on screen.
    InvalidateRect(Handle, nullptr, TRUE);
}

int TFileView::ColumnWidth(int column) const
{
    LVCOLUMNA info{};
    info.mask = LVCF_WIDTH;
    if (!Handle || !SendMessageA(Handle, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        return 0;
    return info.cx;
}

void TFileView::SetColumnWidth(int column, int width)
{
    LVCOLUMNA info{};
    info.mask = LVCF_WIDTH;
    info.cx = width;
    if (Handle) SendMessageA(Handle, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
}

bool TFileView::RowSelect() const
{
    return Handle && (ListView_GetExtendedListViewStyle(Handle) & LVS_EX_FULLROWSELECT) != 0;
}

void TFileView::SetRowSelect(bool on)
{
    if (Handle)
        ListView_SetExtendedListViewStyleEx(Handle, LVS_EX_FULLROWSELECT,
                                            on ? LVS_EX_FULLROWSELECT : 0);
}

bool TFileView::ReadOnly() const
{
    return Handle && (GetWindowLongA(Handle, GWL_STYLE) & LVS_EDITLABELS) == 0;
}

void TFileView::SetReadOnly(bool readOnly)
{
    if (!Handle) return;
    LONG style = GetWindowLongA(Handle, GWL_STYLE);
    SetWindowLongA(Handle, GWL_STYLE,
                   readOnly ? (style & ~LVS_EDITLABELS) : (style | LVS_EDITLABELS));
}

void TFileView::SetDropFiles(bool accept)
{
    if (accept == dropFiles_) return;
    dropFiles_ = accept;
    if (Handle) DragAcceptFiles(Handle, accept ? TRUE : FALSE);
}

// ---- appearance

void TFileView::DpiChanged(UINT oldDpi)
{
    ScaleColumnWidths(Handle, oldDpi, Dpi);
    ApplyLook();
}

void TFileView::ApplyLook()
{
    if (!Handle) return;
    COLORREF back = ResolveColor(look_.BackColor);
    ListView_SetBkColor(Handle, back);
    ListView_SetTextBkColor(Handle, back);
    ListView_SetTextColor(Handle, ResolveColor(look_.FontColor));
    HFONT old = look_.Font;
    SetFont(look_.MakeFont(Dpi));
    if (old) DeleteObject(old);
    InvalidateRect(Handle, nullptr, TRUE);
}

void TFileView::SetBackColor(COLORREF color)
{
    look_.BackColor = color;
    ApplyLook();
}

void TFileView::SetFontColor(COLORREF color)
{
    look_.FontColor = color;
    ApplyLook();
}

void TFileView::SetViewFont(const std::string& face, int points, int style)
{
    look_.FontName = face;
    look_.FontSize = points;
    look_.FontStyle = style;
    ApplyLook();
}

void TFileView::SetViewFont(const LOGFONTA& font)
{
    look_.SetLogFont(font, Dpi);
    ApplyLook();
}

bool TFileView::ContextMenu(POINT screen)
{
    if (!OnContextMenu) return false;
    OnContextMenu(ListMenuPoint(Handle, screen));
    return true;
}

LRESULT CALLBACK TFileView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = static_cast<TFileView*>(ControlOf(hwnd));
    switch (message) {
    case WM_DROPFILES:
        if (!view) break;
        view->DroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_GETDLGCODE:
        // Enter opens an item here rather than going to dialog navigation.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return CallWindowProcA(ListViewProc, hwnd, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_SETFOCUS:
        // The focus shows on an item even before one was chosen.
        if (view && view->ItemCount() > 0 && ListView_GetNextItem(hwnd, -1, LVNI_FOCUSED) < 0)
            ListView_SetItemState(hwnd, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        break;
    case WM_SYSKEYDOWN:
        if (view && wParam == VK_UP && view->tree_) view->tree_->SelectParent(); // Alt+Up
        // The list reports only keys without Alt; keys held with Alt are key downs too.
        if (view && view->OnKeyDown)
            view->OnKeyDown(static_cast<WORD>(wParam), GetKeyState(VK_SHIFT) < 0,
                            GetKeyState(VK_MENU) < 0, GetKeyState(VK_CONTROL) < 0);
        break;
    case WM_DESTROY:
        if (view) view->FreeAllItems();
        break;
    }
    return CallWindowProcA(ListViewProc, hwnd, message, wParam, lParam);
}
