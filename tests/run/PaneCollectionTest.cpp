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
    temp.WriteFile(L"pane\\\xD55C\xAE00.txt", "k"); // 한글.txt, shown as ??.txt
    temp.WriteFile(L"pane\\caf\x00E9.txt", "c");    // café.txt, shown as caf?.txt

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
    ASSERT_EQ(list.ItemCount(), 5);
    std::vector<std::string> captions;
    for (int i = 0; i < list.ItemCount(); ++i) {
        captions.push_back(list.ItemCaption(i));
        list.SetItemSelected(i, list.ItemCaption(i) != "skip.txt");
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"src", "??.txt", "a.txt", "caf?.txt", "skip.txt"}));

    PaneProvider pane(tree, list);
    EXPECT_FALSE(pane.IsVirtualFolder());
    CollectFiles(pane);
    std::vector<std::pair<std::string, std::string>> got;
    std::vector<std::wstring> real;
    for (int i = 0; i < EntryCount; ++i) {
        got.push_back({FileEntries[i].Name, FileEntries[i].Folder});
        real.push_back(FileEntries[i].RealPath);
    }
    // List order is the shell's (folders before files), then depth first.
    std::vector<std::pair<std::string, std::string>> expected{
        {"", "src\\"},  {"lib\\", "src\\"}, {"y.c", "src\\lib\\"}, {"x.c", "src\\"},
        {"??.txt", ""}, {"a.txt", ""},      {"caf?.txt", ""}};
    EXPECT_EQ(got, expected);
    // Only the name the code page cannot hold needs its real spelling, taken from the shell.
    std::vector<std::wstring> expectedReal{
        L"", L"", L"", L"", L"\xD55C\xAE00.txt", L"", L"caf\x00E9.txt"};
    EXPECT_EQ(real, expectedReal);
}
