#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/CodePage.h"

#include <cstring>

namespace {
// The tree view class's own procedure, behind TFolderView::WindowProc.
WNDPROC TreeViewProc = nullptr;
constexpr DWORD RenameFlags = 0x60;

int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM folder)
{
    return CompareItems(reinterpret_cast<IShellFolder*>(folder), reinterpret_cast<LPCITEMIDLIST>(a),
                        reinterpret_cast<LPCITEMIDLIST>(b));
}

// Busy pointer and no repainting for the length of a fill or rebuild.
struct BatchUpdate {
    HWND Window;
    HCURSOR Previous;
    explicit BatchUpdate(HWND window)
        : Window(window), Previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT)))
    {
        SendMessageA(Window, WM_SETREDRAW, FALSE, 0);
    }
    ~BatchUpdate()
    {
        SendMessageA(Window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Window, nullptr, TRUE);
        SetCursor(Previous);
    }
};
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

// ---- building

void TFolderView::RebuildTree()
{
    if (updating_ || !Handle) return;
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(Handle, CSIDL_DESKTOP, &desktop)) || !desktop) return;
    std::string name;
    if (!DisplayNameOf(DesktopFolder(), desktop, SHGDN_INFOLDER, name)) {
        FreeIdList(desktop);
        return;
    }
    {
        BatchUpdate batch(Handle);
        updating_ = true;
        TreeView_DeleteAllItems(Handle);
        // Deleted nodes must not be remembered for stepping back.
        current_ = previous_ = nullptr;
        int image = SystemIconOf(desktop, SHGFI_SMALLICON);
        int open = SystemIconOf(desktop, SHGFI_SMALLICON | SHGFI_OPENICON);
        HTREEITEM root = AddNode(nullptr, name, desktop, image, open, true);
        // The list is told once, below, not by this selection.
        Select(root);
        updating_ = false;
        FillChildren(root);
        TreeView_Expand(Handle, root, TVE_EXPAND);
    }
    NotifyFileView(Selected());
}

void TFolderView::FillChildren(HTREEITEM node)
{
    if (updating_ || !node || !NodeData(node)) return;
    IShellFolder* folder = FolderOfNode(node);
    if (!folder) return;
    IEnumIDList* items = nullptr;
    HRESULT hr = folder->EnumObjects(Handle, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &items);
    if (hr != S_OK || !items) {
        if (items) items->Release();
        folder->Release();
        Select(current_);
        return;
    }
    {
        BatchUpdate batch(Handle);
        updating_ = true;
        IShellIcon* icons = nullptr;
        if (FAILED(folder->QueryInterface(IID_IShellIcon, reinterpret_cast<void**>(&icons))))
            icons = nullptr;
        LPITEMIDLIST parentList = NodeIdList(node);
        int added = 0;
        LPITEMIDLIST item = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &item, &fetched) == S_OK && item) {
            std::string name;
            std::wstring realName;
            DisplayNameOf(folder, item, SHGDN_INFOLDER, name, &realName);
            int image = -1, open = -1;
            if (icons) {
                if (icons->GetIconOf(item, GIL_FORSHELL, &image) != S_OK) image = -1;
                if (icons->GetIconOf(item, GIL_OPENICON, &open) != S_OK) open = -1;
            }
            if (image < 0 || open < 0) {
                LPITEMIDLIST absolute = JoinIdLists(parentList, item);
                image = SystemIconOf(absolute, SHGFI_SMALLICON);
                open = SystemIconOf(absolute, SHGFI_SMALLICON | SHGFI_OPENICON);
                FreeIdList(absolute);
            }
            bool hasSub = AttributesOf(folder, item, SFGAO_HASSUBFOLDER) != 0;
            if (AddNode(node, name, item, image, open, hasSub, realName)) ++added;
            item = nullptr;
        }
        FreeIdList(parentList);
        if (icons) icons->Release();
        if (added > 0) {
            TVSORTCB sort{node, CompareNodes, reinterpret_cast<LPARAM>(folder)};
            TreeView_SortChildrenCB(Handle, &sort, FALSE);
        } else {
            TVITEMA flag{};
            flag.mask = TVIF_CHILDREN;
            flag.hItem = node;
            flag.cChildren = 0;
            TreeView_SetItem(Handle, &flag);
        }
        updating_ = false;
    }
    items->Release();
    folder->Release();
}

// ---- lookup

HTREEITEM TFolderView::FindChild(HTREEITEM node, LPCITEMIDLIST item)
{
    if (!node || !NodeData(node) || !item) return nullptr;
    IShellFolder* folder = FolderOfNode(node);
    if (!folder) return nullptr;
    Expand(node);
    HTREEITEM found = nullptr;
    for (HTREEITEM child : Children(node)) {
        if (CompareItems(folder, NodeData(child), item) == 0) {
            found = child;
            break;
        }
    }
    folder->Release();
    return found;
}

HTREEITEM TFolderView::FindNode(LPCITEMIDLIST absolute)
{
    HTREEITEM node = Root();
    if (!node || !absolute) return nullptr;
    Expand(node);
    for (LPCITEMIDLIST p = absolute; p->mkid.cb != 0 && node; p = NextItem(p)) {
        LPITEMIDLIST single = CopyFirstItem(p);
        node = FindChild(node, single);
        FreeIdList(single);
    }
    return node;
}

namespace {
// The absolute id list of a path text, or null when the namespace does not know it.
LPITEMIDLIST ParsedPath(const std::string& path)
{
    IShellFolder* desktop = DesktopFolder();
    std::wstring wide;
    if (!desktop || !ToShellWide(path, wide)) return nullptr;
    LPITEMIDLIST parsed = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &parsed, nullptr)))
        return nullptr;
    return parsed;
}
} // namespace

void TFolderView::SelectPath(const std::string& path)
{
    if (!Handle) return;
    LPITEMIDLIST parsed = ParsedPath(path);
    if (!parsed) return;
    Select(FindNode(parsed));
    FreeIdList(parsed);
}

bool TFolderView::Reaches(const std::string& path) const
{
    LPITEMIDLIST parsed = ParsedPath(path);
    FreeIdList(parsed);
    return parsed != nullptr;
}

std::string TFolderView::GetSelectedPath()
{
    HTREEITEM node = Selected();
    if (!node) return {};
    LPITEMIDLIST absolute = NodeIdList(node);
    std::string path = DisplayNameOf(DesktopFolder(), absolute, SHGDN_FORPARSING);
    FreeIdList(absolute);
    return path;
}

std::wstring TFolderView::GetSelectedRealPath()
{
    HTREEITEM node = Selected();
    if (!node || node == Root()) return {};
    LPITEMIDLIST absolute = NodeIdList(node);
    std::wstring path;
    RealPathOfIdList(absolute, path);
    FreeIdList(absolute);
    return path;
}

bool TFolderView::IsVirtualFolder()
{
    HTREEITEM node = Selected();
    if (!node || node == Root()) return true;
    LPITEMIDLIST absolute = NodeIdList(node);
    std::string path;
    bool virtualFolder = !PathOfIdList(absolute, path);
    FreeIdList(absolute);
    return virtualFolder;
}

void TFolderView::SelectChild(LPCITEMIDLIST child)
{
    HTREEITEM node = FindChild(Selected(), child);
    if (node) Select(node);
}

void TFolderView::SelectParent()
{
    HTREEITEM node = Selected();
    HTREEITEM parent = node ? TreeView_GetParent(Handle, node) : nullptr;
    if (parent) Select(parent);
}

void TFolderView::RenameChild(LPCITEMIDLIST oldId, LPCITEMIDLIST newId)
{
    HTREEITEM parent = Selected();
    HTREEITEM node = FindChild(parent, oldId);
    if (!node || !newId) return;
    IShellFolder* folder = FolderOfNode(parent);
    TVITEMA item{};
    item.mask = TVIF_PARAM | TVIF_TEXT;
    item.hItem = node;
    FreeIdList(NodeData(node));
    LPITEMIDLIST copy = CopyFirstItem(newId);
    std::string name = DisplayNameOf(folder, copy, SHGDN_NORMAL);
    item.lParam = reinterpret_cast<LPARAM>(copy);
    item.pszText = name.data();
    TreeView_SetItem(Handle, &item);
    if (folder) folder->Release();
}

// ---- selection and the linked list

void TFolderView::SetFileView(TFileView* view)
{
    if (fileView_ == view) return;
    if (fileView_) fileView_->tree_ = nullptr;
    if (view) {
        if (view->tree_ && view->tree_ != this) view->tree_->fileView_ = nullptr;
        view->tree_ = this;
    }
    fileView_ = view;
    // The tree may have selected its folder before the list was linked (it starts on the
    // desktop); the list must show that folder from now on, not stay empty.
    NotifyFileView(Selected());
}

void TFolderView::NotifyFileView(HTREEITEM node)
{
    if (!node || updating_ || !fileView_) return;
    LPITEMIDLIST absolute = NodeIdList(node);
    fileView_->SetFolder(absolute);
    FreeIdList(absolute);
}

void TFolderView::SelectionChanged(HTREEITEM node)
{
    if (OnChange) OnChange();
    previous_ = current_;
    current_ = node;
    NotifyFileView(node);
}

bool TFolderView::EndLabelEdit(HTREEITEM node, const char* text)
{
    HTREEITEM parent = node ? TreeView_GetParent(Handle, node) : nullptr;
    LPCITEMIDLIST oldId = NodeData(node);
    if (!parent || !oldId) return false;
    IShellFolder* folder = FolderOfNode(parent);
    if (!folder) return false;
    std::wstring wide;
    LPITEMIDLIST newId = nullptr;
    bool renamed = ToShellWide(text, wide) &&
                   SUCCEEDED(folder->SetNameOf(Handle, oldId, wide.c_str(), RenameFlags, &newId)) &&
                   newId;
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    std::string caption;
    if (renamed) {
        FreeIdList(oldId);
        item.mask |= TVIF_PARAM;
        item.lParam = reinterpret_cast<LPARAM>(newId);
        caption = DisplayNameOf(folder, newId, SHGDN_NORMAL);
    } else {
        caption = DisplayNameOf(folder, oldId, SHGDN_NORMAL);
    }
    item.pszText = caption.data();
    TreeView_SetItem(Handle, &item);
    folder->Release();
    return false; // the caption is set above
}

bool TFolderView::Notify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* tv = reinterpret_cast<NMTREEVIEWA*>(header);
        HTREEITEM node = tv->itemNew.hItem;
        if ((tv->action & TVE_EXPAND) && HasChildrenFlag(node) && !TreeView_GetChild(Handle, node))
            FillChildren(node);
        result = FALSE;
        return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        SelectionChanged(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
        return true;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: {
        auto* tv = reinterpret_cast<NMTREEVIEWA*>(header);
        FreeIdList(reinterpret_cast<LPCITEMIDLIST>(tv->itemOld.lParam));
        HTREEITEM node = tv->itemOld.hItem;
        if (node == current_) current_ = nullptr;
        if (node == previous_) previous_ = nullptr;
        if (OnDeleting) OnDeleting(node);
        return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
        auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
        result = TreeView_GetParent(Handle, info->item.hItem) ? FALSE : TRUE; // not the root
        return true;
    }
    case TVN_ENDLABELEDITA: {
        auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
        result = info->item.pszText ? EndLabelEdit(info->item.hItem, info->item.pszText) : FALSE;
        return true;
    }
    case TVN_ENDLABELEDITW: {
        auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        result = FALSE;
        if (info->item.pszText) {
            int n = WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, nullptr, 0, nullptr,
                                        nullptr);
            std::string text(static_cast<size_t>(n > 0 ? n : 1), '\0');
            WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, text.data(), n, nullptr,
                                nullptr);
            result = EndLabelEdit(info->item.hItem, text.c_str());
        }
        return true;
    }
    case TVN_KEYDOWN:
        if (OnKeyDown)
            OnKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey, GetKeyState(VK_SHIFT) < 0,
                      GetKeyState(VK_MENU) < 0, GetKeyState(VK_CONTROL) < 0);
        result = 0;
        return true;
    case NM_CLICK:
        if (OnClick) OnClick();
        return false;
    case NM_RCLICK:
        if (RightClickSelect) {
            TVHITTESTINFO hit{};
            GetCursorPos(&hit.pt);
            ScreenToClient(Handle, &hit.pt);
            if (HTREEITEM node = TreeView_HitTest(Handle, &hit)) Select(node);
        }
        return false;
    }
    return false;
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
