#pragma once
#include "engine/Collection.h"
#include "shellviews/ShView.h"

// What file collection reads of a pane, taken from its folder tree and file list.
struct PaneProvider : ReferencePane {
    TFolderView& Tree;
    TFileView& List;

    PaneProvider(TFolderView& tree, TFileView& list) : Tree(tree), List(list) {}
    bool IsVirtualFolder() override { return Tree.IsVirtualFolder(); }
    std::string GetSelectedPath() override { return Tree.GetSelectedPath(); }
    std::wstring GetSelectedRealPath() override { return Tree.GetSelectedRealPath(); }
    int ItemCount() override { return List.ItemCount(); }
    std::string ItemCaption(int index) override { return List.ItemCaption(index); }
    std::wstring ItemRealName(int index) override { return List.ItemParsingName(index); }
    bool ItemSelected(int index) override { return List.ItemSelected(index); }
};
