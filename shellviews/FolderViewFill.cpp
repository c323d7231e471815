// The folder tree's nodes built from the namespace: the whole tree from the desktop,
// and one folder's children on its first expansion.
#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

#include <unordered_map>
#include <vector>

namespace {
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

namespace {
constexpr SHCONTF ChildFlags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;

} // namespace

// A folder's children as the tree adds them: their icons and whether they hold folders.
struct TFolderView::ChildMaker {
    IShellFolder* Folder;
    IShellIcon* Icons = nullptr;
    LPITEMIDLIST ParentList;
    ChildMaker(IShellFolder* folder, LPITEMIDLIST parentList)
        : Folder(folder), ParentList(parentList)
    {
        if (FAILED(folder->QueryInterface(IID_IShellIcon, reinterpret_cast<void**>(&Icons))))
            Icons = nullptr;
    }
    ~ChildMaker()
    {
        FreeIdList(ParentList);
        if (Icons) Icons->Release();
    }
    ChildMaker(const ChildMaker&) = delete;
    ChildMaker& operator=(const ChildMaker&) = delete;
    void IconsOf(LPCITEMIDLIST item, int& image, int& open) const
    {
        image = open = -1;
        if (Icons) {
            if (Icons->GetIconOf(item, GIL_FORSHELL, &image) != S_OK) image = -1;
            if (Icons->GetIconOf(item, GIL_OPENICON, &open) != S_OK) open = -1;
        }
        if (image >= 0 && open >= 0) return;
        LPITEMIDLIST absolute = JoinIdLists(ParentList, item);
        image = SystemIconOf(absolute, SHGFI_SMALLICON);
        open = SystemIconOf(absolute, SHGFI_SMALLICON | SHGFI_OPENICON);
        FreeIdList(absolute);
    }
};

namespace {
// The name by which a refresh knows a child again: its in-folder parsing name.
std::wstring ChildKey(IShellFolder* folder, LPCITEMIDLIST item)
{
    return WideDisplayNameOf(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
}
} // namespace

bool TFolderView::AddChild(HTREEITEM node, const ChildMaker& maker, LPITEMIDLIST item)
{
    std::string name;
    std::wstring realName;
    DisplayNameOf(maker.Folder, item, SHGDN_INFOLDER, name, &realName);
    int image = -1, open = -1;
    maker.IconsOf(item, image, open);
    bool hasSub = AttributesOf(maker.Folder, item, SFGAO_HASSUBFOLDER) != 0;
    return AddNode(node, name, item, image, open, hasSub, realName) != nullptr;
}

void TFolderView::SortChildrenOrClearFlag(HTREEITEM node, IShellFolder* folder)
{
    if (TreeView_GetChild(Handle, node)) {
        TVSORTCB sort{node, CompareNodes, reinterpret_cast<LPARAM>(folder)};
        TreeView_SortChildrenCB(Handle, &sort, FALSE);
        return;
    }
    SetHasChildrenFlag(node, false);
}

void TFolderView::SetHasChildrenFlag(HTREEITEM node, bool hasChildren)
{
    TVITEMA flag{};
    flag.mask = TVIF_CHILDREN;
    flag.hItem = node;
    flag.cChildren = hasChildren ? 1 : 0;
    TreeView_SetItem(Handle, &flag);
}

void TFolderView::FillChildren(HTREEITEM node)
{
    if (updating_ || !node || !NodeData(node)) return;
    IShellFolder* folder = FolderOfNode(node);
    if (!folder) return;
    IEnumIDList* items = nullptr;
    HRESULT hr = folder->EnumObjects(Handle, ChildFlags, &items);
    if (hr != S_OK || !items) {
        if (items) items->Release();
        folder->Release();
        Select(current_);
        return;
    }
    {
        BatchUpdate batch(Handle);
        updating_ = true;
        ChildMaker maker(folder, NodeIdList(node));
        LPITEMIDLIST item = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &item, &fetched) == S_OK && item) {
            AddChild(node, maker, item);
            item = nullptr;
        }
        SortChildrenOrClearFlag(node, folder);
        updating_ = false;
    }
    items->Release();
    folder->Release();
}

// ---- refresh

bool TFolderView::RefreshTree()
{
    if (updating_ || !Handle || !Root()) return false;
    HTREEITEM selected = Selected();
    HTREEITEM fallback = nullptr;
    {
        BatchUpdate batch(Handle);
        updating_ = true;
        RereadChildren(Root(), true, selected, fallback);
        updating_ = false;
    }
    return FollowLostSelection(fallback);
}

bool TFolderView::RereadNode(HTREEITEM node)
{
    HTREEITEM selected = Selected();
    HTREEITEM fallback = nullptr;
    bool reread = false;
    {
        BatchUpdate batch(Handle);
        updating_ = true;
        reread = RereadChildren(node, false, selected, fallback);
        updating_ = false;
    }
    FollowLostSelection(fallback);
    return reread;
}

bool TFolderView::FollowLostSelection(HTREEITEM fallback)
{
    // The open folder went with its node: its nearest remaining folder opens instead.
    if (!fallback) return false;
    if (Selected() == fallback)
        NotifyFileView(fallback);
    else
        Select(fallback);
    return true;
}

bool TFolderView::RereadChildren(HTREEITEM node, bool deep, HTREEITEM& selected,
                                 HTREEITEM& fallback)
{
    IShellFolder* folder = FolderOfNode(node);
    if (!folder) return false;
    IEnumIDList* items = nullptr;
    if (folder->EnumObjects(Handle, ChildFlags, &items) != S_OK || !items) {
        // A folder that cannot be listed now keeps what it showed.
        if (items) items->Release();
        folder->Release();
        return false;
    }
    // What the folder holds now, by name; the order is the folder's own.
    std::vector<LPITEMIDLIST> now;
    std::unordered_map<std::wstring, size_t> byName;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && item) {
        byName.emplace(ChildKey(folder, item), now.size());
        now.push_back(item);
        item = nullptr;
    }
    items->Release();
    // Children still there stay as they are, expanded or not; the others go.
    std::vector<HTREEITEM> deeper;
    for (HTREEITEM child : Children(node)) {
        auto found = byName.find(ChildKey(folder, NodeData(child)));
        if (found == byName.end() || !now[found->second]) {
            if (selected && IsSameOrBelow(selected, child)) {
                fallback = node;
                selected = nullptr; // gone with the child
            }
            TreeView_DeleteItem(Handle, child);
            continue;
        }
        FreeIdList(now[found->second]);
        now[found->second] = nullptr;
        if (TreeView_GetChild(Handle, child))
            deeper.push_back(child);
        else
            SetHasChildrenFlag(child, AttributesOf(folder, NodeData(child), SFGAO_HASSUBFOLDER) != 0);
    }
    {
        ChildMaker maker(folder, NodeIdList(node));
        for (LPITEMIDLIST fresh : now)
            if (fresh) AddChild(node, maker, fresh);
    }
    SortChildrenOrClearFlag(node, folder);
    folder->Release();
    if (deep)
        for (HTREEITEM child : deeper)
            RereadChildren(child, true, selected, fallback);
    return true;
}

bool TFolderView::IsSameOrBelow(HTREEITEM node, HTREEITEM ancestor) const
{
    for (HTREEITEM n = node; n; n = TreeView_GetParent(Handle, n))
        if (n == ancestor) return true;
    return false;
}
