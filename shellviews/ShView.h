#pragma once
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shellapi.h>
// clang-format on

#include "toolkit/Window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

struct TFileView;

// Colours as the settings store keeps them: an RGB value, or 0x80000000 + a system
// colour index (0x80000005 window, 0x80000008 window text).
constexpr COLORREF clWindow = 0x80000005;
constexpr COLORREF clWindowText = 0x80000008;
COLORREF ResolveColor(COLORREF color);

// Font style bits: bold 1, italic 2, underline 4, strike-out 8.
struct ViewLook {
    COLORREF BackColor = clWindow;
    COLORREF FontColor = clWindowText;
    std::string FontName = "ＭＳ Ｐゴシック";
    int FontSize = 9; // points
    int FontStyle = 0;
    HFONT Font = nullptr; // made from the fields above, owned
    ~ViewLook();
    // A font's pixel height stands for its points at the view's DPI.
    LOGFONTA LogFont(UINT dpi) const;
    void SetLogFont(const LOGFONTA& font, UINT dpi);
    HFONT MakeFont(UINT dpi);
};

// The folder tree of a browsing pane: the shell namespace from the desktop down,
// sub-folders only, filled on first expansion. Nodes own their id lists (lParam).
struct TFolderView : Control {
    std::function<void()> OnChange; // after the selection changed, before the file list
    std::function<void()> OnClick;
    std::function<void(WORD key, bool shift, bool alt, bool ctrl)> OnKeyDown;
    std::function<void(HTREEITEM node)> OnDeleting; // after the node's id list was freed
    bool RightClickSelect = false;

    ~TFolderView() override;
    bool Create(HWND parent, int left, int top, int width, int height);

    void SelectPath(const std::string& path);
    // The same for a path as the file system spells it.
    void SelectPath(const std::wstring& path);
    // Selects the folder a path names, as a person opens it: false, with the selection
    // as it was, when the path names no folder the tree reaches (nothing, or a file).
    bool OpenFolder(const std::wstring& path);
    // Whether the path names an object of the namespace now (a folder removed since does not).
    bool Reaches(const std::wstring& path) const;
    std::string GetSelectedPath();
    // The selected folder's file-system path as the file system spells it (UTF-16), ""
    // for a folder without one; the code-page path cannot name a folder like "café".
    std::wstring GetSelectedRealPath();
    void RebuildTree();
    // Reads every folder the tree has opened again, keeping what is still there as it is
    // (expanded or not): new folders appear, removed ones go. True when the selected
    // folder went and its nearest remaining folder was selected (the list followed it).
    bool RefreshTree();
    bool IsVirtualFolder();
    void SelectChild(LPCITEMIDLIST child);
    void SelectParent(); // the selected folder's parent; nothing at the root
    void RenameChild(LPCITEMIDLIST oldId, LPCITEMIDLIST newId);

    TFileView* FileView() const { return fileView_; }
    void SetFileView(TFileView* view);
    bool DropFiles() const { return dropFiles_; }
    void SetDropFiles(bool accept);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    void SetIndent(int indent); // at 96 dpi
    void DpiChanged(UINT oldDpi) override;

    // Nodes.
    HTREEITEM Root() const;
    HTREEITEM Selected() const;
    void Select(HTREEITEM node); // null clears the selection
    HTREEITEM CurrentNode() const { return current_; }
    HTREEITEM PreviousNode() const { return previous_; }
    std::string NodeText(HTREEITEM node) const;      // in the code page, "?" for what it lacks
    std::wstring RealNodeText(HTREEITEM node) const; // as shown
    LPCITEMIDLIST NodeData(HTREEITEM node) const;
    LPITEMIDLIST NodeIdList(HTREEITEM node) const; // absolute; the caller frees it
    std::vector<HTREEITEM> Children(HTREEITEM node) const;
    bool HasChildrenFlag(HTREEITEM node) const;
    bool Expanded(HTREEITEM node) const;
    void Expand(HTREEITEM node);
    bool Updating() const { return updating_; }

    // Appearance, saved and loaded by the settings store.
    void SetBackColor(COLORREF color);
    COLORREF BackColor() const { return look_.BackColor; }
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return look_.FontColor; }
    void SetViewFont(const std::string& face, int points, int style);
    void SetViewFont(const LOGFONTA& font);
    LOGFONTA ViewFont() const { return look_.LogFont(Dpi); }
    const ViewLook& Look() const { return look_; }
    // The selected node's background while the tree lacks the focus.
    COLORREF QuietSelectionColor() const;

    bool Notify(NMHDR* header, LRESULT& result) override;

private:
    friend struct TFileView;
    TFileView* fileView_ = nullptr;
    bool dropFiles_ = false;
    bool updating_ = false;
    HTREEITEM current_ = nullptr;
    HTREEITEM previous_ = nullptr;
    ViewLook look_;

    struct ChildMaker;
    void FillChildren(HTREEITEM node);
    bool AddChild(HTREEITEM node, const ChildMaker& maker, LPITEMIDLIST item);
    void SortChildrenOrClearFlag(HTREEITEM node, IShellFolder* folder);
    void SetHasChildrenFlag(HTREEITEM node, bool hasChildren);
    // Reads one opened node's children again (deep: and those of its opened children);
    // the selected node, when it goes, leaves fallback at its nearest remaining folder.
    bool RereadChildren(HTREEITEM node, bool deep, HTREEITEM& selected, HTREEITEM& fallback);
    bool RereadNode(HTREEITEM node);
    bool FollowLostSelection(HTREEITEM fallback);
    bool IsSameOrBelow(HTREEITEM node, HTREEITEM ancestor) const;
    HTREEITEM FindChild(HTREEITEM node, LPCITEMIDLIST item);
    HTREEITEM ChildMatching(HTREEITEM node, IShellFolder* folder, LPCITEMIDLIST item) const;
    HTREEITEM FindNode(LPCITEMIDLIST absolute);
    IShellFolder* FolderOfNode(HTREEITEM node); // with a reference
    // real: the name as the shell spells it, shown where the code page cannot hold it.
    HTREEITEM AddNode(HTREEITEM parent, const std::string& text, LPITEMIDLIST data, int image,
                      int selectedImage, bool hasChildren, const std::wstring& real = {});
    void NotifyFileView(HTREEITEM node);
    void SelectionChanged(HTREEITEM node);
    bool EndLabelEdit(HTREEITEM node, const char* text);
    void FreeAllNodes();
    void DroppedFiles(HDROP drop);
    void ApplyLook();
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw) const;
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
};

// The file list of a browsing pane: the objects of one folder with size, type and date.
// Items own their single-item id lists (the item data).
struct TFileView : Control {
    enum { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };
    static constexpr int ColumnCount = 4; // name, size, type, date

    std::function<void()> OnChange; // an item changed, selection included; once per fill
    std::function<void()> OnClick;
    std::function<void(WORD key, bool shift, bool alt, bool ctrl)> OnKeyDown;
    std::function<void(POINT screen)> OnContextMenu; // right click, Shift+F10, Apps key
    bool FileExecute = true;
    std::vector<std::string> Mask; // extensions with their dot, e.g. ".TXT"; empty: all

    ~TFileView() override;
    bool Create(HWND parent, int left, int top, int width, int height);

    void SetFolder(LPCITEMIDLIST absolute);
    void FillList();
    uint64_t TotalFileSize() const { return totalFileSize_; }
    LPCITEMIDLIST FolderIdList() const { return folderId_; }
    TFolderView* FolderView() const { return tree_; }

    int ItemCount() const;
    std::string ItemCaption(int index) const;
    // The item's in-folder parsing name in UTF-16 (for a file, its name as the file system
    // spells it); "" when the folder gives none.
    std::wstring ItemParsingName(int index) const;
    std::string ItemSubText(int index, int column) const; // column 1 size, 2 type, 3 date
    LPCITEMIDLIST ItemData(int index) const;
    bool ItemSelected(int index) const;
    void SetItemSelected(int index, bool selected);
    int SelCount() const;
    int FirstSelected() const;         // -1 when none
    int NextSelected(int after) const; // -1 when none follows
    // Every item selected or none, in one call; OnChange follows once, not per item.
    void SelectAll(bool selected);
    // What the item's find data said at fill time: false when it had none (objects
    // outside the file system). Sizes are 64-bit.
    bool ItemFileFacts(int index, uint64_t& size, bool& isFolder) const;

    int ViewStyle() const;
    void SetViewStyle(int style);
    int ColumnWidth(int column) const; // 0 to 3
    void SetColumnWidth(int column, int width);
    bool RowSelect() const;
    void SetRowSelect(bool on);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool DropFiles() const { return dropFiles_; }
    void SetDropFiles(bool accept);

    // Sorting as a click on a column header does (0 to 3), and opening the selected item
    // as a double click does.
    void ColumnClick(int column);
    void OpenSelected();

    void SetBackColor(COLORREF color);
    COLORREF BackColor() const { return look_.BackColor; }
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return look_.FontColor; }
    void SetViewFont(const std::string& face, int points, int style);
    void SetViewFont(const LOGFONTA& font);
    LOGFONTA ViewFont() const { return look_.LogFont(Dpi); }
    const ViewLook& Look() const { return look_; }

    bool Notify(NMHDR* header, LRESULT& result) override;
    bool ContextMenu(POINT screen) override;

private:
    friend struct TFolderView;
    TFolderView* tree_ = nullptr;
    bool dropFiles_ = false;
    IShellFolder* folder_ = nullptr;
    LPITEMIDLIST folderId_ = nullptr;
    uint64_t totalFileSize_ = 0;
    int savedViewStyle_ = vsList;
    ViewLook look_;
    // The items, held here and shown by the list on demand (an owner-data list): a fill,
    // a refill and selecting everything cost the list nothing per item.
    struct FileFacts {
        uint64_t Size;
        bool IsFolder;
        bool Known; // the object had find data
    };
    struct Row {
        LPITEMIDLIST Id; // owned
        std::string Caption;
        std::string Texts[3]; // size, type name, date
        int Image;
        bool Link;
        FileFacts Facts;
        std::wstring RealCaption; // the name as shown, where the code page cannot hold it
    };
    std::vector<Row> rows_;
    std::wstring wideText_; // the text last handed to a UTF-16 request
    // Item changes made inside a batch report OnChange once at its end.
    int changeBatch_ = 0;
    bool changePending_ = false;
    struct ShellLook {
        int Image;
        std::string TypeName;
        bool Own; // files of the extension are asked one by one
    };
    std::unordered_map<std::string, ShellLook> looks_; // by extension, for one fill

    void BeginChanges();
    void EndChanges();
    void BeginFill();
    void EndFill();
    void AddObject(IShellIcon* icons, LPITEMIDLIST item);
    ShellLook LookOf(IShellIcon* icons, LPCITEMIDLIST item, const std::string& parsingName,
                     ULONG attributes, bool hasFindData);
    void SortByColumn(int column);
    bool EndLabelEdit(int index, const char* text);
    void FreeAllItems();
    const Row* RowAt(int index) const;
    template <typename Item> void FillRowLook(Item& item) const;
    const std::string* RowText(int index, int column) const;
    int FindCaption(const std::string& prefix, int start, bool wrap) const;
    void DroppedFiles(HDROP drop);
    void ApplyLook();
    void DpiChanged(UINT oldDpi) override;
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
};

// The direction of each column's sort (+1 or -1), shared by every file list and reset
// to +1 by every fill.
extern int SortDirections[4];

// Texts of the list's columns.
std::string FileSizeText(uint64_t bytes); // "%8.0n%s" of kilobytes with "KB"
std::string FileDateText(const FILETIME& utc);
// Whether a parsing name passes the extension mask.
bool PassesMask(const std::vector<std::string>& mask, const std::string& parsingName);
