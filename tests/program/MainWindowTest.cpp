#include "tests/common/RealInput.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Menu.h"
#include "toolkit/Pump.h"

#include <gtest/gtest.h>

namespace {
// A reference folder of 12 items (3 folders, 9 files of 2548 bytes in all) and a
// target folder, as a user would pick them.
struct MainWindowTest : ::testing::Test {
    TempFolder Temp;
    std::string Ref, Des;
    std::unique_ptr<TMainDlg> Form;

    void SetUp() override
    {
        ClearStore();
        Ref = Temp.MakeFolder("ref");
        Des = Temp.MakeFolder("des");
        Temp.WriteFile("ref\\a500.bin", std::string(500, 'a'));
        Temp.WriteFile("ref\\k1.bin", std::string(1024, 'k'));
        Temp.WriteFile("ref\\k2.bin", std::string(1024, 'k'));
        for (int i = 0; i < 6; ++i)
            Temp.WriteFile("ref\\e" + std::to_string(i) + ".txt", "");
        Temp.WriteFile("ref\\sub1\\x.txt", "x");
        Temp.MakeFolder("ref\\sub2");
        Temp.MakeFolder("ref\\sub3");
        Temp.WriteFile("des\\a500.bin", std::string(500, 'a'));
        Form = OpenMainWindow(Des);
        Form->SrcFolderView.SelectPath(WithoutTrailingSlash(Ref));
        ProcessMessages();
    }
    void TearDown() override
    {
        Form.reset();
        ClearStore();
    }
    std::string Panel(int i) { return Form->StatusBar.PanelText(i); }
    void SelectOnly(std::initializer_list<const char*> captions)
    {
        TFileView& list = Form->SrcFileView;
        list.SelectAll(false);
        for (const char* c : captions)
            list.SetItemSelected(IndexOfCaption(list, c), true);
        ProcessMessages(); // the status bar follows once the change is done
    }
};
} // namespace

TEST_F(MainWindowTest, StatusBarDescribesTheReferenceSelection)
{
    ASSERT_EQ(12, Form->SrcFileView.ItemCount());
    SelectOnly({"sub2"});
    Form->SrcFileView.SelectAll(false);
    ProcessMessages();
    EXPECT_EQ("12 個のオブジェクト", Panel(0));
    EXPECT_EQ("2.49KB", Panel(1));

    SelectOnly({"sub1"});
    EXPECT_EQ("1 個のオブジェクトを選択", Panel(0));
    EXPECT_EQ("", Panel(1));

    SelectOnly({"a500.bin"});
    EXPECT_EQ("500 バイト", Panel(1));

    SelectOnly({"k1.bin", "sub1", "k2.bin"});
    EXPECT_EQ("3 個のオブジェクトを選択", Panel(0));
    EXPECT_EQ("2KB", Panel(1));

    // The target pane never writes the status bar.
    Form->DesFileView.SetItemSelected(0, true);
    Form->DesFolderView.SelectPath(WithoutTrailingSlash(Ref));
    ProcessMessages();
    EXPECT_EQ("3 個のオブジェクトを選択", Panel(0));
    EXPECT_EQ("2KB", Panel(1));

    // Select all refreshes once, at its end; every item ends up selected.
    Form->MenuCommand(AllSlctMenuItem);
    EXPECT_EQ(12, Form->SrcFileView.SelCount());
    EXPECT_EQ("12 個のオブジェクトを選択", Panel(0));
}

TEST_F(MainWindowTest, CommandsActOnTheFocusedPane)
{
    Form->ShowInStoredState();
    TMainDlg& f = *Form;
    ASSERT_EQ(TFileView::vsList, f.SrcFileView.ViewStyle());

    f.DesFolderView.SetFocus();
    f.MenuCommand(DetailMenuItem);
    EXPECT_EQ(TFileView::vsReport, f.DesFileView.ViewStyle());
    EXPECT_EQ(TFileView::vsList, f.SrcFileView.ViewStyle());
    EXPECT_TRUE(MenuChecked(f.MainMenu, DetailMenuItem));
    EXPECT_FALSE(MenuChecked(f.MainMenu, ListMenuItem));
    EXPECT_TRUE(f.ToolBar.Down(ReportTButton));
    EXPECT_FALSE(f.ToolBar.Down(ListTButton));

    // The toolbar's button reaches the same command, on the reference pane now.
    f.SrcFileView.SetFocus();
    f.ToolBar.Click(SmallIconTButton);
    EXPECT_EQ(TFileView::vsSmallIcon, f.SrcFileView.ViewStyle());
    EXPECT_TRUE(MenuChecked(f.MainMenu, SmallIconMenuItem));
    f.FilePopupMenuPopup();
    EXPECT_TRUE(MenuChecked(f.FilePopupMenu, SmallIconPMenuItem));
    EXPECT_FALSE(MenuChecked(f.FilePopupMenu, ReportPMenuItem));

    // A click in the target pane shows that pane's style in the marks.
    f.DesFileView.SetFocus();
    f.DesFileViewClick();
    EXPECT_TRUE(MenuChecked(f.MainMenu, DetailMenuItem));

    // With the focus in a drop-down nothing is changed, and refresh does nothing either.
    f.SrcFolderCBoxEx.SetFocus();
    f.MenuCommand(LargeIconMenuItem);
    EXPECT_EQ(TFileView::vsSmallIcon, f.SrcFileView.ViewStyle());
    EXPECT_EQ(TFileView::vsReport, f.DesFileView.ViewStyle());
    Temp.WriteFile("ref\\late.txt", "l");
    f.MenuCommand(RefreshMenuItem);
    EXPECT_EQ(12, f.SrcFileView.ItemCount());

    // Select all from the target pane still selects the whole reference list.
    f.DesFileView.SetFocus();
    f.MenuCommand(AllSlctMenuItem);
    EXPECT_EQ(12, f.SrcFileView.SelCount());
    EXPECT_EQ(0, f.DesFileView.SelCount());

    // Keys: Alt+F5 does nothing in the reference list, F5 with Alt refreshes the target list.
    f.SrcFileViewKeyDown(116, false, true, false);
    EXPECT_EQ(12, f.SrcFileView.ItemCount());
    f.SrcFileViewKeyDown(116, false, false, true);
    EXPECT_EQ(13, f.SrcFileView.ItemCount());
    Temp.WriteFile("des\\late.txt", "l");
    f.DesFileViewKeyDown(116, false, true, false);
    EXPECT_EQ(2, f.DesFileView.ItemCount());
    f.SrcFileView.SelectAll(false);
    f.SrcFileViewKeyDown('A', false, true, false);
    EXPECT_EQ(0, f.SrcFileView.SelCount());
    f.SrcFileViewKeyDown('A', true, false, false);
    EXPECT_EQ(13, f.SrcFileView.SelCount());

    // Refresh on a tree keeps its folder.
    f.SrcFolderView.SetFocus();
    f.MenuCommand(RefreshMenuItem);
    EXPECT_TRUE(SamePath(Ref, f.SrcFolderView.GetSelectedPath()));
}

TEST_F(MainWindowTest, SwapBarsTogglesAndSplitters)
{
    TMainDlg& f = *Form;
    f.AddFolderHistory(PaneSide::Src, "Z:\\history");
    f.MenuCommand(FolderChangeMenuItem);
    ProcessMessages();
    EXPECT_TRUE(SamePath(Ref, f.DesFolderView.GetSelectedPath()));
    EXPECT_TRUE(SamePath(Des, f.SrcFolderView.GetSelectedPath()));
    EXPECT_EQ(1, f.SrcFileView.ItemCount());
    EXPECT_EQ(12, f.DesFileView.ItemCount());
    // The status bar follows the new reference folder at once.
    EXPECT_EQ("1 個のオブジェクト", f.StatusBar.PanelText(0));
    EXPECT_EQ("500 バイト", f.StatusBar.PanelText(1));
    f.ToolBar.Click(FolderChangeTButton);
    ProcessMessages();
    EXPECT_EQ("12 個のオブジェクト", f.StatusBar.PanelText(0));
    EXPECT_TRUE(SamePath(Ref, f.SrcFolderView.GetSelectedPath()));
    EXPECT_TRUE(SamePath(Des, f.DesFolderView.GetSelectedPath()));
    EXPECT_EQ(1, f.SrcFolderCBoxEx.Count());
    EXPECT_EQ(0, f.DesFolderCBoxEx.Count());
    EXPECT_TRUE(f.Enabled());

    // Bars: hidden bars give their room to the panes.
    f.MenuCommand(ToolBarMenuItem);
    f.MenuCommand(StatusBarMenuItem);
    EXPECT_FALSE(MenuChecked(f.MainMenu, ToolBarMenuItem));
    EXPECT_FALSE(f.ToolBar.Visible());
    EXPECT_FALSE(f.StatusBar.Visible());
    EXPECT_EQ(0, f.SrcDesPanel.Top());
    EXPECT_EQ(f.ClientSize().cy, f.SrcDesPanel.Height());
    f.MenuCommand(ToolBarMenuItem);
    EXPECT_TRUE(f.ToolBar.Visible());
    EXPECT_EQ(30, f.SrcDesPanel.Top());

    // Toggling an option twice leaves it and its mark as they were.
    for (int i = 0; i < 2; ++i) {
        f.MenuCommand(CompObjDateMenuItem);
        EXPECT_EQ(i == 1, EnvSettings.CompDate);
        EXPECT_EQ(EnvSettings.CompDate, MenuChecked(f.MainMenu, CompObjDateMenuItem));
    }
    f.MenuCommand(DiscordMenu);
    EXPECT_FALSE(EnvSettings.DispDiscord);
    EXPECT_FALSE(MenuChecked(f.MainMenu, DiscordMenu));

    // Dragging the reference pane's folder splitter, with and without the linked widths.
    auto drag = [](TSplitterEx& bar, int dx, int dy) {
        SendMessageA(bar.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageA(bar.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1 + dx, 1 + dy));
        SendMessageA(bar.Handle, WM_LBUTTONUP, 0, MAKELPARAM(1 + dx, 1 + dy));
    };
    ASSERT_EQ(200, f.SrcFolderPanel.Width());
    drag(f.SrcHSplitterEx, 40, 0);
    EXPECT_EQ(240, f.SrcFolderPanel.Width());
    EXPECT_EQ(200, f.DesFolderPanel.Width());
    EnvSettings.FolderListResize = true;
    drag(f.SrcHSplitterEx, -300, 0);
    EXPECT_EQ(30, f.SrcFolderPanel.Width());
    EXPECT_EQ(30, f.DesFolderPanel.Width());
    drag(f.VSplitter, 0, 25);
    EXPECT_EQ(225, f.SrcPanel.Height());

    // The toolbar's handle moves it along the dock and no further than the dock's ends.
    ASSERT_EQ(TToolBar::HandleWidth, f.ToolBar.Left());
    auto dragHandle = [&](int dx) {
        int x = f.ToolBar.Left() - 4;
        SendMessageA(f.TopDock.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        SendMessageA(f.TopDock.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, 10));
        SendMessageA(f.TopDock.Handle, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, 10));
    };
    dragHandle(50);
    EXPECT_EQ(TToolBar::HandleWidth + 50, f.ToolBar.Left());
    EXPECT_EQ(2, f.ToolBar.Top());
    dragHandle(-500);
    EXPECT_EQ(TToolBar::HandleWidth, f.ToolBar.Left());
    dragHandle(5000);
    EXPECT_EQ(f.TopDock.Width(), f.ToolBar.Left() + f.ToolBar.Width());
    SendMessageA(f.TopDock.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 10));
    SendMessageA(f.TopDock.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 10));
    SendMessageA(f.TopDock.Handle, WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
    EXPECT_EQ(f.TopDock.Width(), f.ToolBar.Left() + f.ToolBar.Width()); // not on the handle
    SetWindowPos(f.Handle, nullptr, 0, 0, 500, 497, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(f.TopDock.Width(), f.ToolBar.Left() + f.ToolBar.Width());
    SetWindowPos(f.Handle, nullptr, 0, 0, 661, 497, SWP_NOMOVE | SWP_NOZORDER);

    // Choosing a history entry, as the user's choice in the drop-down does.
    f.AddFolderHistory(PaneSide::Des, WithoutTrailingSlash(Ref));
    f.AddFolderHistory(PaneSide::Des, WithoutTrailingSlash(Des));
    f.DesFolderCBoxEx.SetItemIndex(1);
    SendMessageA(GetParent(f.DesFolderCBoxEx.Handle), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(f.DesFolderCBoxEx.Handle), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(f.DesFolderCBoxEx.Handle));
    EXPECT_TRUE(SamePath(Ref, f.DesFolderView.GetSelectedPath()));
    EXPECT_EQ(WithoutTrailingSlash(Ref), f.DesFolderCBoxEx.Item(0));
    EXPECT_EQ(2, f.DesFolderCBoxEx.Count());
}

namespace {
// Counts what the status bar is told to show in its first panel: one per refresh.
int StatusBarRefreshes = 0;
WNDPROC StatusBarProc = nullptr;
LRESULT CALLBACK CountingStatusBar(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == SB_SETTEXTA && LOBYTE(wParam) == 0) ++StatusBarRefreshes;
    return CallWindowProcA(StatusBarProc, hwnd, message, wParam, lParam);
}
} // namespace

// Thousands of files: the status bar shows the end of each action, once, however many
// items the action touched (select all by Shift+A, a key that moves the selection, F5,
// exit by the menu keys).
TEST(MainWindowScale, StatusBarRefreshedOncePerActionOnThousandsOfFiles)
{
    ClearStore();
    TempFolder temp;
    const int files = 2000;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("many"));
    for (int i = 0; i < files; ++i)
        temp.WriteFile("many\\f" + std::to_string(10000 + i) + ".txt", "12");
    auto form = OpenMainWindow(ref);
    TMainDlg& f = *form;
    f.ShowInStoredState();
    StatusBarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        f.StatusBar.Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingStatusBar)));
    ASSERT_EQ(files, f.SrcFileView.ItemCount());
    SetForegroundWindow(f.Handle);
    f.SrcFileView.SetFocus();

    StatusBarRefreshes = 0;
    PressKeys({VK_SHIFT, 'A'});
    ASSERT_TRUE(PumpUntil([&] { return f.SrcFileView.SelCount() == files; }, 20000));
    EXPECT_EQ("2000 個のオブジェクトを選択", f.StatusBar.PanelText(0));
    EXPECT_EQ("3.91KB", f.StatusBar.PanelText(1));
    EXPECT_LE(StatusBarRefreshes, 2);

    // One key unselects 1,999 items.
    StatusBarRefreshes = 0;
    PressKeys({VK_END});
    ASSERT_TRUE(PumpUntil([&] { return f.SrcFileView.SelCount() == 1; }, 20000));
    EXPECT_EQ("1 個のオブジェクトを選択", f.StatusBar.PanelText(0));
    EXPECT_EQ("2 バイト", f.StatusBar.PanelText(1));
    EXPECT_LE(StatusBarRefreshes, 2);

    // F5 with everything selected fills the list again from nothing selected.
    PressKeys({VK_SHIFT, 'A'});
    ASSERT_TRUE(PumpUntil([&] { return f.SrcFileView.SelCount() == files; }, 20000));
    StatusBarRefreshes = 0;
    PressKeys({VK_F5});
    ASSERT_TRUE(PumpUntil([&] { return f.SrcFileView.SelCount() == 0; }, 20000));
    EXPECT_EQ(files, f.SrcFileView.ItemCount());
    EXPECT_EQ("2000 個のオブジェクト", f.StatusBar.PanelText(0));
    EXPECT_LE(StatusBarRefreshes, 2);

    // Exit with everything selected, through the file menu by keyboard.
    PressKeys({VK_SHIFT, 'A'});
    ASSERT_TRUE(PumpUntil([&] { return f.SrcFileView.SelCount() == files; }, 20000));
    StatusBarRefreshes = 0;
    PressKeys({VK_MENU, 'F'});
    PressKeys({'X'});
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(f.Handle) || !f.Handle; }, 20000));
    EXPECT_LE(StatusBarRefreshes, 1);
    form.reset();
    ClearStore();
}

// Names the code page cannot hold: the status bar's counts and sizes come from what the
// list read of the real files, never from a path with "?" in it (a wildcard that may name
// another file).
TEST(MainWindowRealNames, StatusBarSizesOfFilesNamedOutsideTheCodePage)
{
    ClearStore();
    TempFolder temp;
    temp.WriteFile(L"real\\\xD55C\xAE00.txt", std::string(500, 'k')); // 한글.txt
    temp.WriteFile(L"real\\caf\x00E9.txt", std::string(1548, 'c'));   // café.txt
    temp.WriteFile("real\\ab.txt", std::string(7, 'x')); // what "??.txt" would find
    auto form = OpenMainWindow(WithoutTrailingSlash(temp / "real"));
    TFileView& list = form->SrcFileView;
    struct Case {
        const char* Name;
        std::vector<std::string> Selected; // captions, "?" for what the code page lacks
        std::string Count, Size;
    };
    const Case cases[] = {
        {"one", {"??.txt"}, "1 個のオブジェクトを選択", "500 バイト"},
        {"two", {"??.txt", "caf?.txt"}, "2 個のオブジェクトを選択", "2KB"},
    };
    for (const Case& c : cases) {
        list.SelectAll(false);
        for (const std::string& caption : c.Selected)
            list.SetItemSelected(IndexOfCaption(list, caption), true);
        ProcessMessages();
        EXPECT_EQ(c.Count, form->StatusBar.PanelText(0)) << c.Name;
        EXPECT_EQ(c.Size, form->StatusBar.PanelText(1)) << c.Name;
    }
    form.reset();
    ClearStore();
}
