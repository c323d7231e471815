#pragma once
#include "shellviews/ShView.h"
#include "tests/common/TempFolder.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>
#include <string>

// A plain form holding one linked tree and list, as a browsing pane has them.
struct PaneForm : Form {
    TFolderView Tree;
    TFileView List;

    bool Make()
    {
        FormArgs args;
        args.Caption = "pane";
        args.Width = 640;
        args.Height = 400;
        args.OwnerIsDesktop = true;
        if (!CreateForm(args)) return false;
        Tree.Create(Handle, 0, 0, 260, 400);
        List.Create(Handle, 260, 0, 380, 400);
        List.SetViewStyle(TFileView::vsList);
        Tree.SetFileView(&List);
        Tree.RebuildTree();
        return true;
    }
};

// Paths as the shell gives them back: compared without case and trailing "\".
inline std::string Plain(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

inline std::string Trimmed(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Captions of a list in list order.
inline std::vector<std::string> Captions(const TFileView& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.ItemCount(); ++i)
        names.push_back(list.ItemCaption(i));
    return names;
}

inline int IndexOf(const TFileView& list, const std::string& caption)
{
    for (int i = 0; i < list.ItemCount(); ++i)
        if (list.ItemCaption(i) == caption) return i;
    return -1;
}

// Builds the block a drop from another program hands over.
inline HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& p : paths)
        bytes += p.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const auto& p : paths) {
        memcpy(at, p.c_str(), p.size() + 1);
        at += p.size() + 1;
    }
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}
