// The folder tree as a control: its window, its nodes, its options and its look.
#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/CodePage.h"

#include <cstring>

namespace {
// The tree view class's own procedure, behind TFolderView::WindowProc.
WNDPROC TreeViewProc = nullptr;
} // namespace

TFolderView::~TFolderView()
{
    SetFileView(nullptr);
    if (Handle && IsWindow(Handle)) FreeAllNodes();
    Destroy();
}

bool TFolderView::Create(HWND parent, int left, int top, int width, int height)
{
    DWORD style = WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS |
                  TVS_SHOWSELALWAYS;
    if (!CreateChild(parent, WC_TREEVIEWA, "", style, WS_EX_CLIENTEDGE, left, top, width, height))
        return false;
    // Subclassed through the window procedure itself: the common controls' subclassing
    // looks up a window property (a server round trip under Wine) for every message.
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    if (!TreeViewProc) TreeViewProc = previous;
    SendMessageA(Handle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(SystemImageList(true)));
    ApplyLook();
    RebuildTree();
    return true;
}

// ---- nodes

HTREEITEM TFolderView::Root() const
{
    return Handle ? TreeView_GetRoot(Handle) : nullptr;
}

HTREEITEM TFolderView::Selected() const
{
    return Handle ? TreeView_GetSelection(Handle) : nullptr;
}

void TFolderView::Select(HTREEITEM node)
{
    if (Handle) TreeView_SelectItem(Handle, node);
}

std::string TFolderView::NodeText(HTREEITEM node) const
{
    return CodePageText(RealNodeText(node));
}

std::wstring TFolderView::RealNodeText(HTREEITEM node) const
{
    if (!node) return {};
    // Asked in UTF-16: the narrow answer would turn "café" into a look-alike "cafe".
    wchar_t text[MAX_PATH + 1] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = MAX_PATH + 1;
    if (!SendMessageW(Handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
    return text;
}

LPCITEMIDLIST TFolderView::NodeData(HTREEITEM node) const
{
    if (!node) return nullptr;
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!TreeView_GetItem(Handle, &item)) return nullptr;
    return reinterpret_cast<LPCITEMIDLIST>(item.lParam);
}

LPITEMIDLIST TFolderView::NodeIdList(HTREEITEM node) const
{
    if (!node) return nullptr;
    LPITEMIDLIST list = CopyFirstItem(NodeData(node));
    for (HTREEITEM p = TreeView_GetParent(Handle, node); p && list;
         p = TreeView_GetParent(Handle, p)) {
        LPITEMIDLIST joined = JoinIdLists(NodeData(p), list);
        FreeIdList(list);
        list = joined;
    }
    return list;
}

std::vector<HTREEITEM> TFolderView::Children(HTREEITEM node) const
{
    std::vector<HTREEITEM> children;
    if (!node) return children;
    for (HTREEITEM c = TreeView_GetChild(Handle, node); c; c = TreeView_GetNextSibling(Handle, c))
        children.push_back(c);
    return children;
}

bool TFolderView::HasChildrenFlag(HTREEITEM node) const
{
    TVITEMA item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    return node && TreeView_GetItem(Handle, &item) && item.cChildren != 0;
}

bool TFolderView::Expanded(HTREEITEM node) const
{
    return node && (TreeView_GetItemState(Handle, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TFolderView::Expand(HTREEITEM node)
{
    if (!node) return;
    // The control does not always announce a programmatic expansion; fill here as well.
    if (HasChildrenFlag(node) && !TreeView_GetChild(Handle, node)) FillChildren(node);
    TreeView_Expand(Handle, node, TVE_EXPAND);
}

HTREEITEM TFolderView::AddNode(HTREEITEM parent, const std::string& text, LPITEMIDLIST data,
                               int image, int selectedImage, bool hasChildren,
                               const std::wstring& real)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.cChildren = hasChildren ? 1 : 0;
    // The same fields in either width; only the text's type differs.
    TVINSERTSTRUCTW wide;
    std::memcpy(&wide, &insert, sizeof wide);
    wide.item.pszText = const_cast<wchar_t*>(real.c_str());
    auto node = reinterpret_cast<HTREEITEM>(
        real.empty() ? SendMessageA(Handle, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))
                     : SendMessageW(Handle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&wide)));
    if (!node) FreeIdList(data);
    return node;
}

IShellFolder* TFolderView::FolderOfNode(HTREEITEM node)
{
    if (!node) return nullptr;
    if (!TreeView_GetParent(Handle, node)) {
        IShellFolder* desktop = DesktopFolder();
        if (desktop) desktop->AddRef();
        return desktop;
    }
    LPITEMIDLIST absolute = NodeIdList(node);
    IShellFolder* folder = BindFolder(absolute);
    FreeIdList(absolute);
    return folder;
}

void TFolderView::FreeAllNodes()
{
    // Frees every id list while the window still exists, whoever destroys it.
    std::vector<HTREEITEM> pending{Root()};
    while (!pending.empty()) {
        HTREEITEM node = pending.back();
        pending.pop_back();
        for (; node; node = TreeView_GetNextSibling(Handle, node)) {
            if (HTREEITEM child = TreeView_GetChild(Handle, node)) pending.push_back(child);
            TVITEMA item{};
            item.mask = TVIF_PARAM;
            item.hItem = node;
            if (TreeView_GetItem(Handle, &item) && item.lParam) {
                FreeIdList(reinterpret_cast<LPCITEMIDLIST>(item.lParam));
                item.lParam = 0;
                TreeView_SetItem(Handle, &item);
            }
        }
    }
    current_ = previous_ = nullptr;
}

// ---- options

bool TFolderView::ReadOnly() const
{
    return Handle && (GetWindowLongA(Handle, GWL_STYLE) & TVS_EDITLABELS) == 0;
}

void TFolderView::SetReadOnly(bool readOnly)
{
    if (!Handle) return;
    LONG style = GetWindowLongA(Handle, GWL_STYLE);
    style = readOnly ? (style & ~TVS_EDITLABELS) : (style | TVS_EDITLABELS);
    SetWindowLongA(Handle, GWL_STYLE, style);
}

void TFolderView::SetIndent(int indent)
{
    if (Handle) TreeView_SetIndent(Handle, Scaled(indent));
}

void TFolderView::SetDropFiles(bool accept)
{
    if (accept == dropFiles_) return;
    dropFiles_ = accept;
    if (Handle) DragAcceptFiles(Handle, accept ? TRUE : FALSE);
}

void TFolderView::DroppedFiles(HDROP drop)
{
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        UINT length = DragQueryFileA(drop, 0, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, 0, path.data(), length + 1);
        SelectPath(path.c_str());
    }
    DragFinish(drop);
}

// ---- appearance

void TFolderView::DpiChanged(UINT oldDpi)
{
    TreeView_SetIndent(Handle, MulDiv(TreeView_GetIndent(Handle), Dpi, oldDpi));
    ApplyLook();
}

void TFolderView::ApplyLook()
{
    if (!Handle) return;
    TreeView_SetBkColor(Handle, ResolveColor(look_.BackColor));
    TreeView_SetTextColor(Handle, ResolveColor(look_.FontColor));
    HFONT old = look_.Font;
    SetFont(look_.MakeFont(Dpi));
    if (old) DeleteObject(old);
}

COLORREF TFolderView::QuietSelectionColor() const
{
    // A third of the highlight over the tree's own background.
    COLORREF mark = GetSysColor(COLOR_HIGHLIGHT), back = ResolveColor(look_.BackColor);
    auto mix = [](BYTE a, BYTE b) { return static_cast<BYTE>((a + 2 * b) / 3); };
    return RGB(mix(GetRValue(mark), GetRValue(back)), mix(GetGValue(mark), GetGValue(back)),
               mix(GetBValue(mark), GetBValue(back)));
}

void TFolderView::SetBackColor(COLORREF color)
{
    look_.BackColor = color;
    ApplyLook();
}

void TFolderView::SetFontColor(COLORREF color)
{
    look_.FontColor = color;
    ApplyLook();
}

void TFolderView::SetViewFont(const std::string& face, int points, int style)
{
    look_.FontName = face;
    look_.FontSize = points;
    look_.FontStyle = style;
    ApplyLook();
}

void TFolderView::SetViewFont(const LOGFONTA& font)
{
    look_.SetLogFont(font, Dpi);
    ApplyLook();
}

LRESULT CALLBACK TFolderView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = static_cast<TFolderView*>(ControlOf(hwnd));
    switch (message) {
    case WM_DROPFILES:
        if (!view) break;
        view->DroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        if (view) view->FreeAllNodes();
        break;
    }
    return CallWindowProcA(TreeViewProc, hwnd, message, wParam, lParam);
}
