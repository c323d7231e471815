#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

#include <algorithm>
#include <unordered_map>

// The rows behind the list: reading, finding, sorting and selecting them.
int SortDirections[4] = {1, 1, 1, 1};

const TFileView::Row* TFileView::RowAt(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < rows_.size() ? &rows_[index] : nullptr;
}

const std::string* TFileView::RowText(int index, int column) const
{
    const Row* row = RowAt(index);
    if (!row || column < 0 || column >= ColumnCount) return nullptr;
    return column == 0 ? &row->Caption : &row->Texts[column - 1];
}

// The first row from start on whose caption begins with prefix, letter case aside, as
// typing in the list looks for it; -1 when none.
int TFileView::FindCaption(const std::string& prefix, int start, bool wrap) const
{
    int count = static_cast<int>(rows_.size());
    if (count == 0 || prefix.empty()) return -1;
    if (start < 0 || start >= count) start = 0;
    for (int k = 0; k < count; ++k) {
        int i = start + k;
        if (i >= count) {
            if (!wrap) break;
            i -= count;
        }
        const std::string& caption = rows_[i].Caption;
        if (caption.size() >= prefix.size() &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(),
                           static_cast<int>(prefix.size()), prefix.c_str(),
                           static_cast<int>(prefix.size())) == CSTR_EQUAL)
            return i;
    }
    return -1;
}

// ---- sorting

void TFileView::SortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount || !Handle) return;
    // The list keeps selection and focus by position: they follow their objects by id.
    std::vector<LPCITEMIDLIST> selected;
    for (int i = NextSelected(-1); i >= 0; i = NextSelected(i))
        selected.push_back(rows_[i].Id);
    int focusedIndex = ListView_GetNextItem(Handle, -1, LVNI_FOCUSED);
    LPCITEMIDLIST focused = RowAt(focusedIndex) ? rows_[focusedIndex].Id : nullptr;

    int direction = SortDirections[column];
    IShellFolder* folder = folder_;
    // Stable, as the list's own sort was: equal items keep their order.
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        if (column == 0) return CompareItems(folder, a.Id, b.Id) * direction < 0;
        return lstrcmpA(a.Texts[column - 1].c_str(), b.Texts[column - 1].c_str()) * direction < 0;
    });

    if (!selected.empty() || focused) {
        std::unordered_map<LPCITEMIDLIST, int> indexOf;
        for (size_t i = 0; i < rows_.size(); ++i)
            indexOf[rows_[i].Id] = static_cast<int>(i);
        BeginChanges();
        SetItemSelected(-1, false);
        for (LPCITEMIDLIST id : selected)
            SetItemSelected(indexOf[id], true);
        if (focused) ListView_SetItemState(Handle, indexOf[focused], LVIS_FOCUSED, LVIS_FOCUSED);
        EndChanges();
    }
    InvalidateRect(Handle, nullptr, TRUE);
}

void TFileView::ColumnClick(int column)
{
    if (column < 0 || column >= ColumnCount) return;
    SortDirections[column] = -SortDirections[column];
    SortByColumn(column);
}

// ---- items

int TFileView::ItemCount() const
{
    return Handle ? static_cast<int>(rows_.size()) : 0;
}

std::string TFileView::ItemSubText(int index, int column) const
{
    const std::string* text = RowText(index, column);
    return text ? *text : std::string();
}

std::string TFileView::ItemCaption(int index) const
{
    return ItemSubText(index, 0);
}

std::wstring TFileView::ItemParsingName(int index) const
{
    return WideDisplayNameOf(folder_, ItemData(index), SHGDN_INFOLDER | SHGDN_FORPARSING);
}

LPCITEMIDLIST TFileView::ItemData(int index) const
{
    const Row* row = RowAt(index);
    return row ? row->Id : nullptr;
}

bool TFileView::ItemSelected(int index) const
{
    return Handle && (ListView_GetItemState(Handle, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TFileView::SetItemSelected(int index, bool selected)
{
    if (Handle) ListView_SetItemState(Handle, index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void TFileView::SelectAll(bool selected)
{
    // Without redrawing meanwhile: the list would invalidate each item on its own.
    bool redraw = Handle && changeBatch_ == 0 && IsWindowVisible(Handle);
    if (redraw) SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
    BeginChanges();
    SetItemSelected(-1, selected);
    EndChanges();
    if (redraw) {
        SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle, nullptr, TRUE);
    }
}

bool TFileView::ItemFileFacts(int index, uint64_t& size, bool& isFolder) const
{
    size = 0;
    isFolder = false;
    const Row* row = RowAt(index);
    if (!row || !row->Facts.Known) return false;
    size = row->Facts.Size;
    isFolder = row->Facts.IsFolder;
    return true;
}

int TFileView::NextSelected(int after) const
{
    return Handle ? ListView_GetNextItem(Handle, after, LVNI_SELECTED) : -1;
}

int TFileView::SelCount() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

int TFileView::FirstSelected() const
{
    return Handle ? ListView_GetNextItem(Handle, -1, LVNI_SELECTED) : -1;
}
