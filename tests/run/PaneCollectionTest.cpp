#include "engine/FileEntries.h"
#include "mainwindow/PaneProvider.h"
#include "tests/common/TempFolder.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>

// Collection over a real tree and list selection, read through the pane adapter.
TEST(PaneProvider, CollectsTheSelectionOfRealBrowsingControls)
{
    CoInitialize(nullptr);
    TempFolder temp;
    temp.WriteFile("pane\\a.txt", "a");
    temp.WriteFile("pane\\skip.txt", "s");
    temp.WriteFile("pane\\src\\x.c", "x");
    temp.WriteFile("pane\\src\\lib\\y.c", "y");

    Form form;
    FormArgs args;
    args.Caption = "pane";
    args.Width = 400;
    args.Height = 300;
    args.OwnerIsDesktop = true;
    ASSERT_TRUE(form.CreateForm(args));
    TFolderView tree;
    TFileView list;
    tree.Create(form.Handle, 0, 0, 200, 300);
    list.Create(form.Handle, 200, 0, 200, 300);
    tree.SetFileView(&list);
    tree.RebuildTree();
    tree.SelectPath(temp / "pane");
    ASSERT_EQ(list.ItemCount(), 3);
    for (int i = 0; i < list.ItemCount(); ++i)
        list.SetItemSelected(i, list.ItemCaption(i) != "skip.txt");

    PaneProvider pane(tree, list);
    EXPECT_FALSE(pane.IsVirtualFolder());
    CollectFiles(pane);
    std::vector<std::pair<std::string, std::string>> got;
    for (int i = 0; i < EntryCount; ++i)
        got.push_back({FileEntries[i].Name, FileEntries[i].Folder});
    // List order is the shell's (folders before files), then depth first.
    std::vector<std::pair<std::string, std::string>> expected{
        {"", "src\\"}, {"lib", "src\\"}, {"y.c", "src\\lib\\"}, {"x.c", "src\\"}, {"a.txt", ""}};
    EXPECT_EQ(got, expected);
}
