#include "toolkit/ListView.h"

#include <algorithm>
#include <cstring>

namespace {
const UINT_PTR ListKeysSubclassId = 0x4C4B;

// Asks for Enter itself when the list has a use for it; dialog navigation then hands the
// key to the list instead of pressing the default button.
LRESULT CALLBACK ListKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data)
{
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_GETDLGCODE && lParam) {
        auto* list = reinterpret_cast<ListView*>(data);
        auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (list->OnEnter && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            result |= DLGC_WANTMESSAGE;
    }
    return result;
}

bool OnlyCtrlHeld()
{
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}
} // namespace

bool ListView::Create(HWND parent, int left, int top, int width, int height, bool singleSelection,
                      bool sortHeaders)
{
    DWORD style =
        WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    if (singleSelection) style |= LVS_SINGLESEL;
    if (!sortHeaders) style |= LVS_NOSORTHEADER;
    if (!CreateChild(parent, WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE, left, top, width, height))
        return false;
    ListView_SetExtendedListViewStyle(Handle, LVS_EX_FULLROWSELECT);
    SetWindowSubclass(Handle, ListKeysProc, ListKeysSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void ListView::UseRealTexts(std::function<std::wstring(int row, int column)> realText)
{
    realText_ = std::move(realText);
    SendMessageA(Handle, LVM_SETUNICODEFORMAT, TRUE, 0);
}

namespace {
const int CaptionMargin = 14; // the header's margins, three edges each side, and a pixel
const int CellMargin = 14;    // a cell's margins, six each side, and a pixel
} // namespace

void ListView::AddColumn(const std::string& caption, int width, TextAlign align,
                         const std::string& widest)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = align == TextAlign::Center  ? LVCFMT_CENTER
                 : align == TextAlign::Right ? LVCFMT_RIGHT
                                             : LVCFMT_LEFT;
    // Never narrower than the caption with the header's margins, whatever the font.
    int captionWidth = static_cast<int>(
        SendMessageA(Handle, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(caption.c_str())));
    column.cx = std::max(Scaled(width), captionWidth + Scaled(CaptionMargin));
    if (!widest.empty()) {
        int cellWidth = static_cast<int>(
            SendMessageA(Handle, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(widest.c_str())));
        column.cx = std::max(column.cx, cellWidth + Scaled(CellMargin));
    }
    column.pszText = const_cast<char*>(caption.c_str());
    column.iSubItem = ColumnCount();
    SendMessageA(Handle, LVM_INSERTCOLUMNA, column.iSubItem, reinterpret_cast<LPARAM>(&column));
}

void ListView::DpiChanged(UINT oldDpi)
{
    ScaleColumnWidths(Handle, oldDpi, Dpi);
}

int ListView::ColumnCount() const
{
    HWND header = ListView_GetHeader(Handle);
    return header ? Header_GetItemCount(header) : 0;
}

void ListView::SetRowCount(int count)
{
    ListView_SetItemCountEx(Handle, count, 0);
}

int ListView::RowCount() const
{
    return ListView_GetItemCount(Handle);
}

int ListView::Selected() const
{
    return ListView_GetNextItem(Handle, -1, LVNI_SELECTED);
}

std::vector<int> ListView::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(Handle, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(Handle, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ListView::Select(int row)
{
    ListView_SetItemState(Handle, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0) return;
    ListView_SetItemState(Handle, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Handle, row, FALSE);
}

void ListView::SetSortArrow(int column, int direction)
{
    HWND header = ListView_GetHeader(Handle);
    for (int i = 0, count = ColumnCount(); i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        int format = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column && direction) format |= direction > 0 ? HDF_SORTUP : HDF_SORTDOWN;
        if (format == item.fmt) continue;
        item.fmt = format;
        Header_SetItem(header, i, &item);
    }
}

namespace {
int ArrowOf(HWND header, int index)
{
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, index, &item);
    return item.fmt & HDF_SORTUP ? 1 : item.fmt & HDF_SORTDOWN ? -1 : 0;
}
} // namespace

int ListView::SortArrowColumn() const
{
    HWND header = ListView_GetHeader(Handle);
    for (int i = 0, count = ColumnCount(); i < count; ++i)
        if (ArrowOf(header, i)) return i;
    return -1;
}

int ListView::SortArrowDirection() const
{
    int column = SortArrowColumn();
    return column < 0 ? 0 : ArrowOf(ListView_GetHeader(Handle), column);
}

void ListView::SetRedraw(bool redraw)
{
    SendMessageA(Handle, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) Repaint();
}

void ListView::Repaint()
{
    InvalidateRect(Handle, nullptr, TRUE);
}

bool ListView::Notify(NMHDR* header, LRESULT& result)
{
    result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return true;
        std::string text = OnGetText ? OnGetText(item.iItem, item.iSubItem) : std::string();
        size_t n = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, text.data(), n);
        item.pszText[n] = '\0';
        return true;
    }
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return true;
        std::wstring real = realText_ ? realText_(item.iItem, item.iSubItem) : std::wstring();
        if (!real.empty()) {
            lstrcpynW(item.pszText, real.c_str(), item.cchTextMax);
            return true;
        }
        std::string text = OnGetText ? OnGetText(item.iItem, item.iSubItem) : std::string();
        int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    item.pszText, item.cchTextMax - 1);
        item.pszText[n > 0 ? n : 0] = L'\0';
        return true;
    }
    case LVN_COLUMNCLICK:
        if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        if (OnChange) OnChange();
        return true;
    case NM_CLICK:
        if (OnClick) OnClick();
        return true;
    case NM_DBLCLK:
        if (!OnDoubleClick || reinterpret_cast<NMITEMACTIVATE*>(header)->iItem < 0) return false;
        OnDoubleClick();
        return true;
    case NM_RETURN:
        if (!OnEnter) return false;
        OnEnter();
        return true;
    case LVN_KEYDOWN:
        if (!OnCopy || reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey != 'C' || !OnlyCtrlHeld())
            return false;
        OnCopy();
        return true;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
        FindRequest find;
        result = ReadFindRequest(header, find)
                     ? FindRow(find.Text, find.Start, find.Partial, find.Wrap)
                     : -1;
        return true;
    }
    }
    return false;
}

bool ListView::ContextMenu(POINT screen)
{
    if (!OnContextMenu) return false;
    OnContextMenu(ListMenuPoint(Handle, screen));
    return true;
}

int ListView::FindRow(const std::string& text, int start, bool partial, bool wrap) const
{
    if (!OnGetText) return -1;
    int count = RowCount();
    if (start < 0 || start >= count) start = 0;
    for (int row = start; row < count; ++row)
        if (StartsWithIgnoringCase(OnGetText(row, 0), text, !partial)) return row;
    if (wrap)
        for (int row = 0; row < start; ++row)
            if (StartsWithIgnoringCase(OnGetText(row, 0), text, !partial)) return row;
    return -1;
}

POINT ListMenuPoint(HWND list, POINT screen)
{
    if (screen.x != -1 || screen.y != -1) return screen;
    POINT at{0, 0};
    int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    RECT item{}, client{};
    GetClientRect(list, &client);
    if (focused >= 0 && ListView_GetItemRect(list, focused, &item, LVIR_LABEL)) {
        // Below the start of the item's text, kept inside the list when scrolled away.
        at = {std::clamp(item.left + 4, 0L, client.right),
              std::clamp(item.bottom, 0L, client.bottom)};
    }
    ClientToScreen(list, &at);
    return at;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix, bool whole)
{
    if (text.size() < prefix.size() || (whole && text.size() != prefix.size())) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(prefix[i]);
        if (IsDBCSLeadByte(a) && i + 1 < prefix.size()) {
            if (a != b || text[i + 1] != prefix[i + 1]) return false;
            ++i;
            continue;
        }
        if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

bool ReadFindRequest(NMHDR* header, FindRequest& request)
{
    const bool wide = header->code == LVN_ODFINDITEMW;
    // The two forms differ only in the text's type.
    const LVFINDINFOA& info = reinterpret_cast<NMLVFINDITEMA*>(header)->lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) return false;
    request.Start = reinterpret_cast<NMLVFINDITEMA*>(header)->iStart;
    request.Partial = (info.flags & LVFI_PARTIAL) != 0;
    request.Wrap = (info.flags & LVFI_WRAP) != 0;
    if (!wide) {
        request.Text = info.psz;
        return true;
    }
    auto text = reinterpret_cast<const wchar_t*>(info.psz);
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    request.Text.assign(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, request.Text.data(), n, nullptr, nullptr);
    request.Text.resize(std::strlen(request.Text.c_str()));
    return true;
}

void ScaleColumnWidths(HWND list, UINT oldDpi, UINT newDpi)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, i, MulDiv(width, newDpi, oldDpi));
    }
}

std::string HeaderItemText(HWND header, int index)
{
    char text[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}
