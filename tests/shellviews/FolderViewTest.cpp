#include "shellviews/Namespace.h"
#include "tests/shellviews/ShellViewsFixture.h"

#include <algorithm>

namespace {
std::vector<std::string> ChildTexts(TFolderView& tree, HTREEITEM node)
{
    std::vector<std::string> texts;
    for (HTREEITEM c : tree.Children(node))
        texts.push_back(tree.NodeText(c));
    return texts;
}

bool Contains(const std::vector<std::string>& list, const std::string& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}
} // namespace

// Id list operations on lists built by hand: two items "ab" and "cde".
TEST(Namespace, IdListOperations)
{
    const BYTE raw[] = {4, 0, 'a', 'b', 5, 0, 'c', 'd', 'e', 0, 0};
    auto list = reinterpret_cast<LPCITEMIDLIST>(raw);
    EXPECT_EQ(IdListSize(list), 11u);
    EXPECT_EQ(IdListSize(nullptr), 0u);
    LPITEMIDLIST second = NextItemOrNone(list);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->mkid.cb, 5);
    EXPECT_EQ(NextItemOrNone(second), nullptr);

    LPITEMIDLIST first = CopyFirstItem(list);
    EXPECT_EQ(IdListSize(first), 6u);
    LPITEMIDLIST joined = JoinIdLists(first, second);
    EXPECT_EQ(IdListSize(joined), 11u);
    EXPECT_EQ(memcmp(joined, raw, 11), 0);
    LPITEMIDLIST alone = JoinIdLists(nullptr, second);
    EXPECT_EQ(IdListSize(alone), 7u);
    FreeIdList(first);
    FreeIdList(joined);
    FreeIdList(alone);
    FreeIdList(nullptr);
    EXPECT_EQ(CopyFirstItem(nullptr), nullptr);
}

TEST(Namespace, DisplayNamesOfTheThreeForms)
{
    const BYTE raw[] = {7, 0, 'x', 'n', 'a', 'm', 0, 0, 0};
    auto item = reinterpret_cast<LPCITEMIDLIST>(raw);
    std::string text;
    STRRET offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 3;
    EXPECT_TRUE(StrRetToString(offset, item, text));
    EXPECT_EQ(text, "nam");

    STRRET cstr{};
    cstr.uType = STRRET_CSTR;
    strcpy(cstr.cStr, "表示");
    EXPECT_TRUE(StrRetToString(cstr, item, text));
    EXPECT_EQ(text, "表示");

    STRRET wide{};
    wide.uType = STRRET_WSTR;
    wide.pOleStr = static_cast<LPWSTR>(ShellMalloc()->Alloc(8));
    memcpy(wide.pOleStr, L"ソ表\0", 6);
    EXPECT_TRUE(StrRetToString(wide, item, text));
    EXPECT_EQ(text, "ソ表");

    STRRET other{};
    other.uType = 7;
    EXPECT_FALSE(StrRetToString(other, item, text));
    EXPECT_EQ(text, "");
}

TEST(Namespace, FolderPartRespectsDoubleByteCharacters)
{
    EXPECT_EQ(FolderPartOf("C:\\data\\x.txt"), "C:\\data\\");
    EXPECT_EQ(FolderPartOf("C:x.txt"), "C:");
    EXPECT_EQ(FolderPartOf("x.txt"), "");
    // The second byte of ソ is 0x5C.
    EXPECT_EQ(FolderPartOf("C:\\a\\ソ"), "C:\\a\\");
    std::wstring wide;
    EXPECT_FALSE(ToShellWide(std::string(300, 'a'), wide));
    EXPECT_TRUE(ToShellWide(std::string(259, 'a'), wide));
    EXPECT_EQ(wide.size(), 259u);
}

// One window for the tree behaviours: showing a window costs seconds under Xvfb.
TEST(FolderView, SelectingPathsBuildingAndRefreshing)
{
    CoInitialize(nullptr);
    TempFolder temp;
    std::string deep = temp.MakeFolder("a\\b\\c");
    temp.WriteFile("a\\b\\c\\inner.txt", "x");
    temp.WriteFile("a\\file.txt", "x");
    temp.MakeFolder("leaf");
    temp.WriteFile("leaf\\only.txt", "x");
    std::string hidden = temp.MakeFolder("a\\hid");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    PaneForm pane;
    ASSERT_TRUE(pane.Make());
    TFolderView& tree = pane.Tree;

    // Start: the desktop is selected and counts as virtual; its first level is shown.
    EXPECT_EQ(tree.Selected(), tree.Root());
    EXPECT_TRUE(tree.IsVirtualFolder());
    EXPECT_FALSE(tree.Children(tree.Root()).empty());
    EXPECT_GT(pane.List.ItemCount(), 0);

    // A folder three levels down: every ancestor expanded, the folder itself not.
    tree.SelectPath(deep);
    HTREEITEM c = tree.Selected();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(tree.NodeText(c), "c");
    EXPECT_EQ(Plain(tree.GetSelectedPath()), Plain(deep));
    EXPECT_FALSE(tree.IsVirtualFolder());
    EXPECT_FALSE(tree.Expanded(c));
    for (HTREEITEM p = TreeView_GetParent(tree.Handle, c); p;
         p = TreeView_GetParent(tree.Handle, p))
        EXPECT_TRUE(tree.Expanded(p)) << tree.NodeText(p);
    EXPECT_EQ(Captions(pane.List), std::vector<std::string>{"inner.txt"});

    // Hidden folders are nodes, files never are.
    HTREEITEM b = TreeView_GetParent(tree.Handle, c);
    HTREEITEM a = TreeView_GetParent(tree.Handle, b);
    std::vector<std::string> ofA = ChildTexts(tree, a);
    EXPECT_TRUE(Contains(ofA, "hid"));
    EXPECT_TRUE(Contains(ofA, "b"));
    EXPECT_FALSE(Contains(ofA, "file.txt"));

    // A path that does not exist changes nothing.
    tree.SelectPath(temp / "missing\\x");
    EXPECT_EQ(tree.Selected(), c);

    // A file's path leaves no node selected; the list keeps what it showed.
    tree.SelectPath(temp / "a\\file.txt");
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(tree.GetSelectedPath(), "");
    EXPECT_TRUE(tree.IsVirtualFolder());
    EXPECT_EQ(Captions(pane.List), std::vector<std::string>{"inner.txt"});

    // A folder holding only files loses its expand button when first expanded.
    tree.SelectPath(temp / "leaf");
    HTREEITEM leaf = tree.Selected();
    ASSERT_NE(leaf, nullptr);
    tree.Expand(leaf);
    EXPECT_TRUE(tree.Children(leaf).empty());
    EXPECT_FALSE(tree.HasChildrenFlag(leaf));

    // Refresh ends on the same folder with the other branches collapsed.
    tree.SelectPath(deep);
    std::string before = tree.GetSelectedPath();
    tree.RebuildTree();
    EXPECT_EQ(tree.Selected(), tree.Root());
    EXPECT_EQ(tree.CurrentNode(), tree.Root());
    tree.SelectPath(before);
    EXPECT_EQ(tree.GetSelectedPath(), before);
    std::vector<HTREEITEM> path;
    for (HTREEITEM p = tree.Selected(); p; p = TreeView_GetParent(tree.Handle, p))
        path.push_back(p);
    for (HTREEITEM child : tree.Children(tree.Root()))
        if (std::find(path.begin(), path.end(), child) == path.end()) {
            EXPECT_FALSE(tree.Expanded(child)) << tree.NodeText(child);
        }

    // Current and previous node follow the selection.
    tree.SelectPath(temp / "leaf");
    HTREEITEM now = tree.Selected();
    EXPECT_EQ(tree.CurrentNode(), now);
    EXPECT_NE(tree.PreviousNode(), nullptr);
    EXPECT_EQ(tree.NodeText(tree.PreviousNode()), "c");

    // Dropped items: only the first counts; the drop is accepted only when switched on.
    tree.SetDropFiles(true);
    EXPECT_TRUE(GetWindowLongA(tree.Handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    SendMessageA(tree.Handle, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({Trimmed(temp / "a\\b"), temp / "leaf"})), 0);
    EXPECT_EQ(tree.NodeText(tree.Selected()), "b");
    tree.SetDropFiles(false);
    EXPECT_FALSE(GetWindowLongA(tree.Handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(FolderView, SwappingTwoTreesAndTheBackLink)
{
    CoInitialize(nullptr);
    TempFolder temp;
    std::string one = temp.MakeFolder("one");
    std::string two = temp.MakeFolder("two\\deeper");
    PaneForm pane;
    ASSERT_TRUE(pane.Make());
    TFolderView other;
    other.Create(pane.Handle, 0, 0, 100, 100);
    pane.Tree.SelectPath(one);
    other.SelectPath(two);
    std::string first = pane.Tree.GetSelectedPath(), second = other.GetSelectedPath();
    pane.Tree.SelectPath(second);
    other.SelectPath(first);
    EXPECT_EQ(Plain(pane.Tree.GetSelectedPath()), Plain(two));
    EXPECT_EQ(Plain(other.GetSelectedPath()), Plain(one));

    // Linking the list to another tree unlinks it from the first, and the list shows the
    // folder already selected in its new tree.
    other.SetFileView(&pane.List);
    EXPECT_EQ(pane.Tree.FileView(), nullptr);
    EXPECT_EQ(pane.List.FolderView(), &other);
    std::string listed;
    EXPECT_TRUE(PathOfIdList(pane.List.FolderIdList(), listed));
    EXPECT_EQ(Plain(one), Plain(listed));
    {
        TFileView shortLived;
        shortLived.Create(pane.Handle, 0, 0, 50, 50);
        pane.Tree.SetFileView(&shortLived);
        EXPECT_EQ(shortLived.FolderView(), &pane.Tree);
        EXPECT_TRUE(PathOfIdList(shortLived.FolderIdList(), listed));
        EXPECT_EQ(Plain(two), Plain(listed));
    }
    EXPECT_EQ(pane.Tree.FileView(), nullptr);
    // Selecting goes on without the destroyed list.
    pane.Tree.SelectPath(one);
    EXPECT_EQ(Plain(pane.Tree.GetSelectedPath()), Plain(one));
}

TEST(FolderView, NamesOutsideTheCodePageNeverTurnIntoLookAlikes)
{
    CoInitialize(nullptr);
    TempFolder temp;
    temp.WriteFile(L"caf\x00E9\\in.txt", "x"); // café, "cafe" once best-fitted
    temp.MakeFolder("cafe");

    PaneForm pane;
    ASSERT_TRUE(pane.Make());
    TFolderView& tree = pane.Tree;
    tree.SelectPath(Trimmed(temp.Path));
    HTREEITEM top = tree.Selected();
    ASSERT_NE(top, nullptr);
    tree.Expand(top);
    EXPECT_EQ(ChildTexts(tree, top), (std::vector<std::string>{"cafe", "caf?"}));
    for (HTREEITEM child : tree.Children(top))
        if (tree.NodeText(child) == "caf?") tree.Select(child);

    // The path names no other folder: "?" is not a look-alike, and no path holds it.
    EXPECT_EQ(Plain(tree.GetSelectedPath()), Plain(temp / "caf?"));
    EXPECT_FALSE(tree.IsVirtualFolder());
    EXPECT_EQ(Captions(pane.List), std::vector<std::string>{"in.txt"});
}
