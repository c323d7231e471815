#include "shellviews/Namespace.h"
#include "shellviews/ShView.h"

// Listing a folder: its objects enumerated into rows, with their icons and type names.
namespace {
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
} // namespace

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
    std::string caption;
    std::wstring realCaption;
    DisplayNameOf(folder_, item, SHGDN_INFOLDER, caption, &realCaption);

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
                        facts,
                        std::move(realCaption)});
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
