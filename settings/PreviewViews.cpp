#include "settings/PreviewViews.h"

#include "toolkit/ListView.h"

#include <algorithm>
#include <commctrl.h>

COLORREF PlainColor(COLORREF color)
{
    if (color & 0x80000000) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

bool PreviewTree::Create(HWND parent, int left, int top, int width, int height)
{
    return CreateChild(parent, WC_TREEVIEWA, "",
                       WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
                       WS_EX_CLIENTEDGE, left, top, width, height);
}

void PreviewTree::AddNode(const std::string& text, bool child)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = child ? TreeView_GetRoot(Handle) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
}

void PreviewTree::ExpandAll()
{
    for (HTREEITEM node = TreeView_GetRoot(Handle); node;
         node = TreeView_GetNextSibling(Handle, node))
        TreeView_Expand(Handle, node, TVE_EXPAND);
}

bool PreviewTree::AllExpanded() const
{
    for (HTREEITEM node = TreeView_GetRoot(Handle); node;
         node = TreeView_GetNextSibling(Handle, node)) {
        if (TreeView_GetChild(Handle, node) &&
            !(TreeView_GetItemState(Handle, node, TVIS_EXPANDED) & TVIS_EXPANDED))
            return false;
    }
    return true;
}

void PreviewTree::SetColors(COLORREF back, COLORREF text)
{
    TreeView_SetBkColor(Handle, PlainColor(back));
    TreeView_SetTextColor(Handle, PlainColor(text));
    InvalidateRect(Handle, nullptr, TRUE);
}

bool PreviewList::Create(HWND parent, int left, int top, int width, int height)
{
    return CreateChild(parent, WC_LISTVIEWA, "",
                       WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS,
                       WS_EX_CLIENTEDGE, left, top, width, height);
}

void PreviewList::AddColumn(const std::string& caption, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = Scaled(width);
    int count = Header_GetItemCount(ListView_GetHeader(Handle));
    SendMessageA(Handle, LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
}

void PreviewList::AddRow(const std::string* cells, int count)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(Handle);
    item.pszText = const_cast<char*>(cells[0].c_str());
    int row =
        static_cast<int>(SendMessageA(Handle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int i = 1; i < count; ++i) {
        LVITEMA sub{};
        sub.iSubItem = i;
        sub.pszText = const_cast<char*>(cells[i].c_str());
        SendMessageA(Handle, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
}

void PreviewList::SetColors(COLORREF back, COLORREF text)
{
    ListView_SetBkColor(Handle, PlainColor(back));
    ListView_SetTextBkColor(Handle, PlainColor(back));
    ListView_SetTextColor(Handle, PlainColor(text));
    InvalidateRect(Handle, nullptr, TRUE);
}

void PreviewList::FitColumns()
{
    HWND header = ListView_GetHeader(Handle);
    int count = Header_GetItemCount(header);
    int rows = ListView_GetItemCount(Handle);
    auto needs = [this](const char* text) {
        // The header's and the cells' margins: three edges each side, and a pixel.
        return static_cast<int>(SendMessageA(Handle, LVM_GETSTRINGWIDTHA, 0,
                                             reinterpret_cast<LPARAM>(text))) +
               Scaled(14);
    };
    for (int i = 0; i < count; ++i) {
        int width = needs(HeaderItemText(header, i).c_str());
        char text[256] = {};
        for (int row = 0; row < rows; ++row) {
            ListView_GetItemText(Handle, row, i, text, sizeof text);
            width = std::max(width, needs(text));
        }
        ListView_SetColumnWidth(Handle, i, width);
    }
}
