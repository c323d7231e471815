// The folder tree's notifications: selection handed to the linked list, renaming,
// expansion and keys.
#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/CodePage.h"

namespace {
constexpr DWORD RenameFlags = 0x60;
} // namespace

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
        // "?" for what the code page cannot hold: a look-alike would name another object.
        result = info->item.pszText
                     ? EndLabelEdit(info->item.hItem, CodePageText(info->item.pszText).c_str())
                     : FALSE;
        return true;
    }
    case TVN_KEYDOWN:
        if (OnKeyDown)
            OnKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey, GetKeyState(VK_SHIFT) < 0,
                      GetKeyState(VK_MENU) < 0, GetKeyState(VK_CONTROL) < 0);
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        result = CustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
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

LRESULT TFolderView::CustomDraw(NMTVCUSTOMDRAW& draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    // The open folder stays plain to see while another control has the focus: the
    // control's own unfocused mark is barely darker than the window.
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && GetFocus() != Handle &&
        (TreeView_GetItemState(Handle, reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec),
                               TVIS_SELECTED) &
         TVIS_SELECTED)) {
        draw.clrTextBk = QuietSelectionColor();
        draw.clrText = ResolveColor(look_.FontColor);
    }
    return CDRF_DODEFAULT;
}
