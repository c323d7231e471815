#include "mainwindow/FolderHistory.h"
#include "mainwindow/MainLayout.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>

namespace {
std::string Entries(const TComboBoxEx& box)
{
    std::string all;
    for (int i = 0; i < box.Count(); ++i)
        all += (i ? "|" : "") + box.Item(i);
    return all;
}

struct HistoryTest : ::testing::Test {
    Form Owner;
    TComboBoxEx Box;
    int Changes = 0;
    void SetUp() override
    {
        FormArgs args;
        args.Caption = "history";
        args.Width = 200;
        args.Height = 100;
        Owner.CreateForm(args);
        Box.Create(Owner.Handle, 0, 0, 180, 20, 10, 12);
        Box.OnChange = [this] { ++Changes; };
    }
};
} // namespace

TEST(MainLayout, BarsTakeTheirEdgesAndThePanesShareTheRest)
{
    MainRects m = LayoutMain(653, 420, true, true, 200, 96);
    EXPECT_EQ((RECT{0, 0, 653, 30}).bottom, m.TopDock.bottom);
    EXPECT_EQ(420 - 18, m.StatusBar.top);
    EXPECT_EQ(30, m.SrcDesPanel.top);
    EXPECT_EQ(420 - 18, m.SrcDesPanel.bottom);
    EXPECT_EQ(200, m.SrcPanel.bottom);
    EXPECT_EQ(200, m.VSplitter.top);
    EXPECT_EQ(203, m.VSplitter.bottom);
    EXPECT_EQ(203, m.DesPanel.top);
    EXPECT_EQ(372, m.DesPanel.bottom); // the rest of the 372 pixels between the bars

    // Hidden bars give their room to the panes.
    MainRects bare = LayoutMain(653, 420, false, false, 200, 96);
    EXPECT_EQ(0, bare.TopDock.bottom - bare.TopDock.top);
    EXPECT_EQ(0, bare.SrcDesPanel.top);
    EXPECT_EQ(420, bare.SrcDesPanel.bottom);
    EXPECT_EQ(420 - 203, bare.DesPanel.bottom - bare.DesPanel.top);

    // A window lower than the reference pane leaves the target pane empty, never negative.
    MainRects small = LayoutMain(300, 150, true, true, 200, 96);
    EXPECT_EQ(102, small.SrcPanel.bottom);
    EXPECT_EQ(small.DesPanel.top, small.DesPanel.bottom);
}

TEST(MainLayout, PaneHasFolderPanelSplitterAndList)
{
    PaneRects p = LayoutPane(653, 200, 180, 96);
    EXPECT_EQ(180, p.FolderPanel.right);
    EXPECT_EQ(180, p.HSplitter.left);
    EXPECT_EQ(183, p.HSplitter.right);
    EXPECT_EQ(183, p.FileView.left);
    EXPECT_EQ(653, p.FileView.right);
    EXPECT_EQ(20, p.FolderCBoxEx.bottom);
    EXPECT_EQ(20, p.FolderView.top);
    EXPECT_EQ(200, p.FolderView.bottom);
    PaneRects narrow = LayoutPane(100, 50, 180, 96);
    EXPECT_EQ(100, narrow.FolderPanel.right);
    EXPECT_EQ(narrow.FileView.left, narrow.FileView.right);
}

TEST_F(HistoryTest, MovesAnExistingPathToTheTopAndComparesCaseSensitively)
{
    Box.Add("C:\\A");
    Box.Add("C:\\B");
    Box.Add("C:\\C");
    AddFolderHistory(Box, "C:\\B");
    EXPECT_EQ("C:\\B|C:\\A|C:\\C", Entries(Box));
    AddFolderHistory(Box, "c:\\a");
    EXPECT_EQ("c:\\a|C:\\B|C:\\A|C:\\C", Entries(Box));
    EXPECT_EQ(0, Box.ItemIndex());
    // The program's own selection is not a user's choice.
    EXPECT_EQ(0, Changes);
}

TEST_F(HistoryTest, KeepsTenEntriesDroppingTheOldest)
{
    for (int i = 0; i < 10; ++i)
        Box.Add("D:\\" + std::to_string(i));
    AddFolderHistory(Box, "D:\\new");
    ASSERT_EQ(10, Box.Count());
    EXPECT_EQ("D:\\new", Box.Item(0));
    EXPECT_EQ("D:\\8", Box.Item(9));
    // Re-adding an entry of a full history removes its old place, nothing else.
    AddFolderHistory(Box, "D:\\8");
    EXPECT_EQ(10, Box.Count());
    EXPECT_EQ("D:\\8|D:\\new|D:\\0|D:\\1|D:\\2|D:\\3|D:\\4|D:\\5|D:\\6|D:\\7", Entries(Box));
}

TEST_F(HistoryTest, FirstPathOfAnEmptyHistory)
{
    AddFolderHistory(Box, "E:\\only");
    EXPECT_EQ("E:\\only", Entries(Box));
    EXPECT_EQ(0, Box.ItemIndex());
}
