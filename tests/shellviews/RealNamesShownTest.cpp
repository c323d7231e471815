// Names the code page cannot hold show as the file system spells them, so that two
// files never look alike; what the rest of the program reads stays in the code page.
#include "tests/common/TempFolder.h"
#include "tests/shellviews/ShellViewsFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
std::wstring ListCell(const TFileView& list, int row)
{
    wchar_t text[MAX_PATH + 1] = L"";
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = MAX_PATH + 1;
    SendMessageW(list.Handle, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}
} // namespace

TEST(RealNamesShown, FileListAndTreeShowEachNameAsItIs)
{
    CoInitialize(nullptr);
    struct Case {
        const wchar_t* name;
        bool folder;
        const char* caption; // what the program reads: "?" for what the code page lacks
    };
    const Case cases[] = {
        {L"caf\x00E9.txt", false, "caf?.txt"},            // café.txt
        {L"caf\x00E8.txt", false, "caf?.txt"},            // cafè.txt
        {L"smile\xD83D\xDE00.txt", false, "smile??.txt"}, // smile😀.txt
        {L"\xD55C\xAD6D\xC5B4", true, "???"},             // 한국어
        {L"日本語.txt", false, "日本語.txt"},
        {L"caf\x00E9", true, "caf?"}, // café
        {L"日本語", true, "日本語"},
    };
    TempFolder temp;
    for (const Case& c : cases)
        temp.WriteFile(std::wstring(c.name) + (c.folder ? L"\\in.txt" : L""), "x");

    PaneForm pane;
    ASSERT_TRUE(pane.Make());
    pane.Tree.SelectPath(Trimmed(temp.Path));
    HTREEITEM top = pane.Tree.Selected();
    ASSERT_NE(top, nullptr);
    pane.Tree.Expand(top);
    std::vector<HTREEITEM> nodes = pane.Tree.Children(top);
    ASSERT_EQ(7, pane.List.ItemCount());
    for (const Case& c : cases) {
        int shown = 0;
        for (int row = 0; row < pane.List.ItemCount(); ++row) {
            if (ListCell(pane.List, row) != c.name) continue;
            ++shown;
            EXPECT_EQ(c.caption, pane.List.ItemCaption(row)) << c.caption;
        }
        EXPECT_EQ(1, shown) << c.caption;
        auto node = std::find_if(nodes.begin(), nodes.end(),
                                 [&](HTREEITEM n) { return pane.Tree.RealNodeText(n) == c.name; });
        EXPECT_EQ(c.folder, node != nodes.end()) << c.caption;
        if (node != nodes.end()) {
            EXPECT_EQ(c.caption, pane.Tree.NodeText(*node));
        }
    }
}
