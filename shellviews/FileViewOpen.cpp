#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

// What a double click, a rename and a drop do to the list's objects.
namespace {
constexpr DWORD RenameFlags = 0x60;
} // namespace

void TFileView::OpenSelected()
{
    int index = FirstSelected();
    LPCITEMIDLIST data = index >= 0 ? ItemData(index) : nullptr;
    if (!data || !folder_) return;
    ULONG attributes = AttributesOf(folder_, data, SFGAO_FOLDER | SFGAO_FILESYSANCESTOR);
    if (attributes && tree_) {
        // The tree's selection refills this list and frees the item's id.
        LPITEMIDLIST child = CopyIdList(data);
        tree_->SelectChild(child);
        FreeIdList(child);
        return;
    }
    if (!FileExecute) return;
    LPITEMIDLIST absolute = JoinIdLists(folderId_, data);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = Handle;
    info.lpVerb = "";
    info.lpParameters = "";
    info.lpDirectory = "";
    info.nShow = SW_SHOWNORMAL;
    info.lpIDList = absolute;
    ShellExecuteExA(&info);
    FreeIdList(absolute);
}

bool TFileView::EndLabelEdit(int index, const char* text)
{
    if (!RowAt(index) || !rows_[index].Id || !folder_) return false;
    Row& row = rows_[index];
    LPITEMIDLIST oldId = row.Id;
    std::wstring wide;
    LPITEMIDLIST newId = nullptr;
    bool renamed =
        ToShellWide(text, wide) &&
        SUCCEEDED(folder_->SetNameOf(Handle, oldId, wide.c_str(), RenameFlags, &newId)) && newId;
    if (renamed) {
        if (AttributesOf(folder_, oldId, SFGAO_FOLDER | SFGAO_FILESYSANCESTOR) && tree_)
            tree_->RenameChild(oldId, newId);
        FreeIdList(oldId);
        row.Id = newId;
        row.Caption = DisplayNameOf(folder_, newId, SHGDN_NORMAL);
    } else {
        row.Caption = DisplayNameOf(folder_, oldId, SHGDN_NORMAL);
    }
    ListView_RedrawItems(Handle, index, index);
    return false; // the caption is the row's
}

void TFileView::DroppedFiles(HDROP drop)
{
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0 && tree_) {
        UINT length = DragQueryFileA(drop, 0, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, 0, path.data(), length + 1);
        tree_->SelectPath(FolderPartOf(path.c_str()));
    }
    DragFinish(drop);
}
