#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"
#include "toolkit/ListView.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

int SortDirections[4] = {1, 1, 1, 1};

namespace {
// The list view class's own procedure, behind TFileView::WindowProc.
WNDPROC ListViewProc = nullptr;
constexpr DWORD RenameFlags = 0x60;
constexpr int ColumnCount = 4;

struct ColumnSpec {
    const char* Caption;
    int Width;
    int Format;
};
const ColumnSpec Columns[ColumnCount] = {
    {"名前", 120, LVCFMT_LEFT},
    {"サイズ", 60, LVCFMT_RIGHT},
    {"ファイルの種類", 120, LVCFMT_LEFT},
    {"更新日時", 120, LVCFMT_LEFT},
};

// Window style bits of each view style, in the order of ViewStyle.
const DWORD StyleBits[4] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

std::string LocaleText(LCTYPE type, const char* fallback)
{
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer)) <= 1) return fallback;
    return buffer;
}

std::string GroupThousands(uint64_t value)
{
    std::string digits = std::to_string(value);
    std::string separator = LocaleText(LOCALE_STHOUSAND, ",");
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

// Upper-cases ASCII letters, leaving both bytes of a double-byte character alone.
std::string UpperAscii(const std::string& text)
{
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); ++i) {
        auto c = static_cast<BYTE>(upper[i]);
        if (IsDBCSLeadByte(c)) {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') upper[i] = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// The extension of a parsing name's last element, dot included; "" without one.
std::string ExtensionOf(const std::string& parsingName)
{
    std::string name = parsingName.substr(FolderPartOf(parsingName).size());
    size_t dot = name.rfind('.'); // "." is never a trail byte
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool ClassKeyGivesOwnIcon(const std::string& key)
{
    char icon[MAX_PATH * 2] = {};
    LONG length = sizeof(icon);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, (key + "\\DefaultIcon").c_str(), icon, &length) ==
            ERROR_SUCCESS &&
        strstr(icon, "%1"))
        return true;
    HKEY handler = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (key + "\\shellex\\IconHandler").c_str(), 0, KEY_READ,
                      &handler) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handler);
    return true;
}

// Whether files of this extension carry their own icon (programs, icons, cursors,
// shortcuts, or a type whose icon names the file itself or comes from a handler), so
// that the icon of one says nothing about another of the same extension.
bool HasOwnIcon(const std::string& extension)
{
    static const char* const ownIcon[] = {".exe", ".dll", ".ico", ".cur",    ".ani",
                                          ".lnk", ".url", ".scr", ".cpl",    ".pif",
                                          ".icl", ".ocx", ".msc", ".desktop"};
    if (extension.empty()) return false;
    for (const char* e : ownIcon)
        if (lstrcmpiA(extension.c_str(), e) == 0) return true;
    if (ClassKeyGivesOwnIcon(extension)) return true;
    char type[MAX_PATH] = {};
    LONG length = sizeof(type);
    return RegQueryValueA(HKEY_CLASSES_ROOT, extension.c_str(), type, &length) == ERROR_SUCCESS &&
           type[0] && ClassKeyGivesOwnIcon(type);
}

void InsertColumns(HWND list)
{
    for (int i = 0; i < ColumnCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(Columns[i].Caption);
        column.cx = Columns[i].Width;
        column.fmt = Columns[i].Format;
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}
} // namespace

std::string FileSizeText(uint64_t bytes)
{
    // Kilobytes with halves rounded away from zero, as "%8.0n" does.
    uint64_t kilobytes = (bytes + 512) / 1024;
    std::string number = GroupThousands(kilobytes);
    if (number.size() < 8) number.insert(0, 8 - number.size(), ' ');
    return number + "KB";
}

std::string FileDateText(const FILETIME& utc)
{
    // From the calendar fields rather than the DOS form, which ends in 2107 (Wine wraps
    // 2110 round to 1982 without failing); to the minute, both read the same.
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    if (t.wYear < 1980) return {};
    std::string ds = LocaleText(LOCALE_SDATE, "/"), ts = LocaleText(LOCALE_STIME, ":");
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%04d%s%02d%s%02d %02d%s%02d", t.wYear, ds.c_str(), t.wMonth,
             ds.c_str(), t.wDay, t.wHour, ts.c_str(), t.wMinute);
    return buffer;
}

bool PassesMask(const std::vector<std::string>& mask, const std::string& parsingName)
{
    if (mask.empty()) return true;
    std::string name = parsingName.substr(FolderPartOf(parsingName).size());
    size_t dot = name.rfind('.'); // "." is never a trail byte
    if (dot == std::string::npos) return false;
    std::string extension = UpperAscii(name.substr(dot));
    for (const std::string& entry : mask)
        if (UpperAscii(entry) == extension) return true;
    return false;
}

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
    InsertColumns(Handle);
    SendMessageA(Handle, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(SystemImageList(false)));
    SendMessageA(Handle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(SystemImageList(true)));
    // The link overlay is asked of the rows along with texts and icons.
    SendMessageA(Handle, LVM_SETCALLBACKMASK, LVIS_OVERLAYMASK, 0);
    ApplyLook();
    if (folder_) FillList();
    return true;
}

// ---- folder and fill

void TFileView::SetFolder(LPCITEMIDLIST absolute)
{
    if (!absolute) return;
    LPITEMIDLIST copy = CopyIdList(absolute);
    FreeIdList(folderId_);
    folderId_ = copy;
    if (folder_) folder_->Release();
    folder_ = BindFolder(folderId_);
    if (!folder_) {
        folder_ = DesktopFolder();
        if (folder_) folder_->AddRef();
    }
    if (Handle) FillList();
}

void TFileView::FillList()
{
    totalFileSize_ = 0;
    if (!folder_ || !Handle) return;
    IEnumIDList* objects = nullptr;
    HRESULT hr = folder_->EnumObjects(
        Handle, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &objects);
    if (hr != S_OK || !objects) {
        if (objects) objects->Release();
        // Back to the folder listed before. Once only: if that one fails as well, the
        // two would hand each other back for ever.
        static bool goingBack = false;
        if (tree_ && tree_->PreviousNode() && !goingBack) {
            goingBack = true;
            tree_->Select(tree_->PreviousNode());
            goingBack = false;
        }
        return;
    }
    IShellIcon* icons = nullptr;
    if (FAILED(folder_->QueryInterface(IID_IShellIcon, reinterpret_cast<void**>(&icons))))
        icons = nullptr;
    BeginChanges();
    BeginFill();
    looks_.clear(); // associations may have changed since the last fill
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (objects->Next(1, &item, &fetched) == S_OK && item) {
        AddObject(icons, item);
        item = nullptr;
    }
    SortByColumn(0);
    SendMessageA(Handle, LVM_SETITEMCOUNT, rows_.size(), 0);
    EndFill();
    if (icons) icons->Release();
    objects->Release();
    // Inserting items reports no item change, yet every item is new.
    changePending_ = true;
    EndChanges();
}

void TFileView::BeginChanges()
{
    ++changeBatch_;
}

void TFileView::EndChanges()
{
    if (--changeBatch_ > 0 || !changePending_) return;
    changePending_ = false;
    if (OnChange) OnChange();
}

void TFileView::BeginFill()
{
    for (int& d : SortDirections)
        d = 1;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
    // The list lets go of the rows before their id lists go.
    SendMessageA(Handle, LVM_SETITEMCOUNT, 0, 0);
    FreeAllItems();
    savedViewStyle_ = ViewStyle();
    SetViewStyle(vsList);
}

void TFileView::EndFill()
{
    SetViewStyle(savedViewStyle_);
    SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle, nullptr, TRUE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void TFileView::AddObject(IShellIcon* icons, LPITEMIDLIST item)
{
    std::string parsingName = DisplayNameOf(folder_, item, SHGDN_FORPARSING);
    ULONG attributes = AttributesOf(folder_, item, SFGAO_FOLDER | SFGAO_LINK);
    bool isFolder = (attributes & SFGAO_FOLDER) != 0;
    if (!isFolder && !PassesMask(Mask, parsingName)) {
        FreeIdList(item);
        return;
    }
    std::string caption = DisplayNameOf(folder_, item, SHGDN_INFOLDER);

    std::string sizeText, dateText;
    WIN32_FIND_DATAA data{};
    bool hasFindData =
        SUCCEEDED(SHGetDataFromIDListA(folder_, item, SHGDFIL_FINDDATA, &data, sizeof(data)));
    FileFacts facts{0, isFolder, hasFindData};
    if (hasFindData) {
        // The shell keeps 32 bits of the size and the time in the DOS form, which ends in
        // 2107; the file system gives the whole size and time, so a file of 4 GiB or more
        // shows its real size and one written after 2107 its real date.
        uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        FILETIME written = data.ftLastWriteTime;
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (!isFolder && GetFileAttributesExA(parsingName.c_str(), GetFileExInfoStandard, &file)) {
            size = (static_cast<uint64_t>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
            written = file.ftLastWriteTime;
        }
        dateText = FileDateText(written);
        sizeText = FileSizeText(size);
        totalFileSize_ += size;
        facts.Size = size;
        facts.IsFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    ShellLook look = LookOf(icons, item, parsingName, attributes, hasFindData);

    rows_.push_back(Row{item,
                        std::move(caption),
                        {isFolder ? std::string() : std::move(sizeText), std::move(look.TypeName),
                         std::move(dateText)},
                        look.Image,
                        (attributes & SFGAO_LINK) != 0,
                        facts});
}

// Icon and type name. Those of an ordinary file follow from its extension alone, so
// they are asked once per extension and fill; folders, shortcuts, objects outside the
// file system and files that carry their own icon are asked one by one.
TFileView::ShellLook TFileView::LookOf(IShellIcon* icons, LPCITEMIDLIST item,
                                       const std::string& parsingName, ULONG attributes,
                                       bool hasFindData)
{
    std::string extension;
    bool own = (attributes & (SFGAO_FOLDER | SFGAO_LINK)) || !hasFindData;
    if (!own) {
        extension = ExtensionOf(parsingName);
        // A "?" stands for a character the code page lacks: two such names may differ.
        own = extension.find('?') != std::string::npos;
    }
    if (!own) {
        auto known = looks_.find(extension);
        if (known != looks_.end() && !known->second.Own) return known->second;
        own = known != looks_.end() || HasOwnIcon(extension);
    }
    LPITEMIDLIST absolute = JoinIdLists(folderId_, item);
    ShellLook look{-1, {}, own};
    if (icons && icons->GetIconOf(item, GIL_FORSHELL, &look.Image) != S_OK) look.Image = -1;
    if (look.Image < 0) look.Image = SystemIconOf(absolute, 0);
    look.TypeName = TypeNameOf(absolute);
    FreeIdList(absolute);
    if (!(attributes & (SFGAO_FOLDER | SFGAO_LINK)) && hasFindData &&
        extension.find('?') == std::string::npos)
        looks_.emplace(extension, own ? ShellLook{0, {}, true} : look);
    return look;
}

// Frees every item's id list; the list must no longer show them.
void TFileView::FreeAllItems()
{
    for (Row& row : rows_)
        FreeIdList(row.Id);
    rows_.clear();
}

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

// ---- opening and renaming

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
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
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
        result = FALSE;
        if (info->item.pszText) {
            int n = WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, nullptr, 0, nullptr,
                                        nullptr);
            std::string text(static_cast<size_t>(n > 0 ? n : 1), '\0');
            WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, text.data(), n, nullptr,
                                nullptr);
            result = EndLabelEdit(info->item.iItem, text.c_str());
        }
        return true;
    }
    }
    return false;
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

void TFileView::ApplyLook()
{
    if (!Handle) return;
    COLORREF back = ResolveColor(look_.BackColor);
    ListView_SetBkColor(Handle, back);
    ListView_SetTextBkColor(Handle, back);
    ListView_SetTextColor(Handle, ResolveColor(look_.FontColor));
    HFONT old = look_.Font;
    SetFont(look_.MakeFont());
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
    look_.SetLogFont(font);
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
    case WM_SYSKEYDOWN:
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
