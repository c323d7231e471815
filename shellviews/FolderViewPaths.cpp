// The folder tree by path: nodes found for an id list or a path text, and the path of
// the selected folder.
#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

HTREEITEM TFolderView::FindChild(HTREEITEM node, LPCITEMIDLIST item)
{
    if (!node || !NodeData(node) || !item) return nullptr;
    IShellFolder* folder = FolderOfNode(node);
    if (!folder) return nullptr;
    bool filledBefore = TreeView_GetChild(Handle, node) != nullptr;
    Expand(node);
    HTREEITEM found = ChildMatching(node, folder, item);
    // Children read before this folder was made are read again, once.
    if (!found && filledBefore && !updating_ && RereadNode(node))
        found = ChildMatching(node, folder, item);
    folder->Release();
    return found;
}

HTREEITEM TFolderView::ChildMatching(HTREEITEM node, IShellFolder* folder, LPCITEMIDLIST item) const
{
    for (HTREEITEM child : Children(node))
        if (CompareItems(folder, NodeData(child), item) == 0) return child;
    return nullptr;
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
LPITEMIDLIST ParsedPath(std::wstring wide)
{
    IShellFolder* desktop = DesktopFolder();
    // A name cut short would name another object.
    if (!desktop || wide.size() >= MAX_PATH) return nullptr;
    LPITEMIDLIST parsed = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &parsed, nullptr)))
        return nullptr;
    return parsed;
}

// Whether an id list names a folder (not a file, nor a file that the shell opens as one).
bool IsFolderIdList(LPCITEMIDLIST absolute)
{
    IShellFolder* parent = nullptr;
    LPCITEMIDLIST child = nullptr;
    if (FAILED(SHBindToParent(absolute, IID_IShellFolder, reinterpret_cast<void**>(&parent),
                              &child)) ||
        !parent)
        return absolute && absolute->mkid.cb == 0; // the desktop itself
    ULONG attributes = AttributesOf(parent, child, SFGAO_FOLDER | SFGAO_STREAM);
    parent->Release();
    return (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
}
} // namespace

void TFolderView::SelectPath(const std::string& path)
{
    std::wstring wide;
    if (ToShellWide(path, wide)) SelectPath(wide);
}

void TFolderView::SelectPath(const std::wstring& path)
{
    if (!Handle) return;
    LPITEMIDLIST parsed = ParsedPath(path);
    if (!parsed) return;
    Select(FindNode(parsed));
    FreeIdList(parsed);
}

bool TFolderView::OpenFolder(const std::wstring& path)
{
    if (!Handle) return false;
    LPITEMIDLIST parsed = ParsedPath(path);
    HTREEITEM node = parsed && IsFolderIdList(parsed) ? FindNode(parsed) : nullptr;
    FreeIdList(parsed);
    if (node) Select(node);
    return node != nullptr;
}

bool TFolderView::Reaches(const std::wstring& path) const
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
