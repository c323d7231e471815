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
    Box.Add(L"C:\\A");
    Box.Add(L"C:\\B");
    Box.Add(L"C:\\C");
    AddFolderHistory(Box, L"C:\\B");
    EXPECT_EQ("C:\\B|C:\\A|C:\\C", Entries(Box));
    AddFolderHistory(Box, L"c:\\a");
    EXPECT_EQ("c:\\a|C:\\B|C:\\A|C:\\C", Entries(Box));
    EXPECT_EQ(0, Box.ItemIndex());
    // Names the code page cannot hold are compared as they are spelt, never by their "?".
    AddFolderHistory(Box, L"C:\\caf\x00E9");
    AddFolderHistory(Box, L"C:\\caf\x00E8");
    EXPECT_EQ("C:\\caf?|C:\\caf?|c:\\a|C:\\B|C:\\A|C:\\C", Entries(Box));
    EXPECT_EQ(L"C:\\caf\x00E8", Box.RealItem(0));
    EXPECT_EQ(L"C:\\caf\x00E9", Box.RealItem(1));
    // The program's own selection is not a user's choice.
    EXPECT_EQ(0, Changes);
}

TEST_F(HistoryTest, KeepsTenEntriesDroppingTheOldest)
{
    for (int i = 0; i < 10; ++i)
        Box.Add(L"D:\\" + std::to_wstring(i));
    AddFolderHistory(Box, L"D:\\new");
    ASSERT_EQ(10, Box.Count());
    EXPECT_EQ("D:\\new", Box.Item(0));
    EXPECT_EQ("D:\\8", Box.Item(9));
    // Re-adding an entry of a full history removes its old place, nothing else.
    AddFolderHistory(Box, L"D:\\8");
    EXPECT_EQ(10, Box.Count());
    EXPECT_EQ("D:\\8|D:\\new|D:\\0|D:\\1|D:\\2|D:\\3|D:\\4|D:\\5|D:\\6|D:\\7", Entries(Box));
}

TEST_F(HistoryTest, FirstPathOfAnEmptyHistory)
{
    AddFolderHistory(Box, L"E:\\only");
    EXPECT_EQ("E:\\only", Entries(Box));
    EXPECT_EQ(0, Box.ItemIndex());
}

TEST(TypedFolderPath, MakesWhatAPersonTypesIntoAPathTheTreeOpens)
{
    SetEnvironmentVariableW(L"VEXIL_PLACE", L"D:\\work");
    struct Case {
        const char* Name;
        std::wstring Typed, Current, Path;
    };
    const Case cases[] = {
        {"as it is", L"C:\\data", L"E:\\x", L"C:\\data"},
        {"blanks and quotes of a pasted path", L" \t\"C:\\my data\"\x3000 ", L"", L"C:\\my data"},
        {"forward slashes", L"C:/data/sub", L"", L"C:\\data\\sub"},
        {"a %variable%", L"%VEXIL_PLACE%\\src", L"", L"D:\\work\\src"},
        {"relative to the folder shown", L"..\\other", L"E:\\x\\y", L"E:\\x\\other"},
        {"relative to a drive root", L"sub", L"E:\\", L"E:\\sub"},
        {"relative without a folder shown", L"sub", L"", L"sub"},
        {"a drive", L"C:", L"E:\\x", L"C:\\"},
        {"a shell object's parsing name", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"E:\\x",
         L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
        {"a real name", L"C:\\\xD55C\xAE00", L"", L"C:\\\xD55C\xAE00"},
        {"nothing", L"  ", L"E:\\x", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Path, TypedFolderPath(c.Typed, c.Current)) << c.Name;
}
