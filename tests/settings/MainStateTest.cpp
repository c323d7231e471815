#include "mainwindow/Program.h"
#include "shellviews/Namespace.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/Menu.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct MainStateTest : ::testing::Test {
    TempFolder Temp;
    std::string Start;
    void SetUp() override
    {
        ClearStore();
        Start = Temp.MakeFolder("start");
        Temp.WriteFile("start\\one.txt", "1");
    }
    void TearDown() override { ClearStore(); }
};

const char* const MainValues[] = {"Top",
                                  "Left",
                                  "Height",
                                  "Width",
                                  "WindowState",
                                  "SrcDirectory",
                                  "DesDirectory",
                                  "ViewBColor",
                                  "MsgFontName",
                                  "MsgFontSize",
                                  "MsgFontStyle",
                                  "MsgTextColor",
                                  "SrcFolderViewWidth",
                                  "DesFolderViewWidth",
                                  "SrcFileVViewStyle",
                                  "DesFileVViewStyle",
                                  "SrcFVNameWidth",
                                  "SrcFVSizeWidth",
                                  "SrcFVKindWidth",
                                  "SrcFVDateWidth",
                                  "DesFVNameWidth",
                                  "DesFVSizeWidth",
                                  "DesFVKindWidth",
                                  "DesFVDateWidth",
                                  "SrcHeight"};
const char* const EnvironmentValues[] = {"ToolBarDisp",       "StatusBarDisp",
                                         "DispDiscord",       "CompDate",
                                         "CompSize",          "CompContents",
                                         "CompSort",          "CompSortKind",
                                         "FolderListResize",  "AllSelect",
                                         "DragDrop",          "SoundFlag",
                                         "SameSoundFileName", "DiscordSoundFileName",
                                         "ProgTime"};
} // namespace

TEST_F(MainStateTest, FirstStartHasTheDesignedStateAndTheCloseStoresEveryValue)
{
    auto form = OpenMainWindow(Start);
    TMainDlg& f = *form;
    RECT r = f.Bounds();
    EXPECT_EQ(299, r.left);
    EXPECT_EQ(97, r.top);
    EXPECT_EQ(661, r.right - r.left);
    EXPECT_EQ(497, r.bottom - r.top);
    EXPECT_EQ(0, f.StoredWindowState());
    EXPECT_TRUE(f.ToolBarShown());
    EXPECT_TRUE(f.StatusBarShown());
    EXPECT_TRUE(SamePath(Start, f.SrcFolderView.GetSelectedPath()));
    EXPECT_TRUE(SamePath(Start, f.DesFolderView.GetSelectedPath()));
    EXPECT_EQ(1, f.SrcFileView.ItemCount());
    EXPECT_EQ(200, f.SrcFolderPanel.Width());
    EXPECT_EQ(200, f.DesFolderPanel.Width());
    EXPECT_EQ(200, f.SrcPanel.Height());
    EXPECT_EQ(70, f.SrcFileView.ColumnWidth(1));
    EXPECT_EQ(70, f.DesFileView.ColumnWidth(1));
    EXPECT_EQ(0, f.SrcFolderCBoxEx.Count());
    EXPECT_EQ(0, f.DesFolderCBoxEx.Count());
    EXPECT_TRUE(EnvSettings.CompDate && EnvSettings.CompSize && EnvSettings.CompContents);
    EXPECT_TRUE(EnvSettings.DispDiscord && EnvSettings.ProgTime);
    EXPECT_FALSE(EnvSettings.SoundFlag || EnvSettings.DragDrop || EnvSettings.AllSelect);
    EXPECT_TRUE(MenuChecked(f.MainMenu, CompObjDateMenuItem));
    EXPECT_TRUE(MenuChecked(f.MainMenu, DiscordMenu));
    EXPECT_TRUE(MenuChecked(f.MainMenu, ListMenuItem));
    EXPECT_TRUE(f.ToolBar.Down(ListTButton));
    EXPECT_EQ("1 個のオブジェクト", f.StatusBar.PanelText(0));

    f.SrcFileView.SetItemSelected(0, true);
    f.MenuCommand(ExitMenuItem);
    EXPECT_EQ(nullptr, f.Handle);
    for (const char* name : MainValues)
        EXPECT_NE("<missing>", StoredText("Main", name)) << name;
    for (const char* name : EnvironmentValues)
        EXPECT_NE("<missing>", StoredText("Environment", name)) << name;
    EXPECT_EQ("<missing>", StoredText("Main", "SrcFolderList0"));
    EXPECT_EQ("299", StoredText("Main", "Left"));
    EXPECT_EQ("497", StoredText("Main", "Height"));
    EXPECT_EQ("0", StoredText("Main", "WindowState"));
    EXPECT_EQ("-2147483643", StoredText("Main", "ViewBColor"));
    EXPECT_EQ("-2147483640", StoredText("Main", "MsgTextColor"));
    EXPECT_EQ("ＭＳ Ｐゴシック", StoredText("Main", "MsgFontName"));
    EXPECT_EQ("9", StoredText("Main", "MsgFontSize"));
    EXPECT_EQ("70", StoredText("Main", "SrcFVSizeWidth"));
    EXPECT_EQ("200", StoredText("Main", "SrcHeight"));
    EXPECT_EQ("2", StoredText("Main", "SrcFileVViewStyle"));
    EXPECT_EQ("1", StoredText("Environment", "ToolBarDisp"));
    EXPECT_TRUE(SamePath(Start, StoredText("Main", "SrcDirectory")));
}

TEST_F(MainStateTest, StoredValuesComeBackIntoTheWindow)
{
    std::string other = Temp.MakeFolder("other");
    WriteString("Main", "ViewBColor", "16777215");
    WriteString("Main", "SrcFolderViewWidth", "10");
    WriteString("Main", "DesFolderViewWidth", "150");
    WriteString("Main", "SrcHeight", "120");
    WriteString("Main", "Left", "40");
    WriteString("Main", "Width", "700");
    WriteString("Main", "DesDirectory", WithoutTrailingSlash(other));
    WriteString("Main", "DesFileVViewStyle", "3");
    WriteString("Main", "DesFVNameWidth", "222");
    WriteString("Main", "MsgFontSize", "12");
    WriteString("Main", "MsgFontStyle", "1");
    WriteString("Environment", "StatusBarDisp", "0");
    WriteString("Environment", "CompSize", "abc");
    WriteString("Environment", "CompDate", "0");
    WriteString("Environment", "AllSelect", "2");
    for (int i = 0; i < 10; ++i)
        WriteString("Main", "SrcFolderList" + std::to_string(i), "C:\\old" + std::to_string(i));

    auto form = OpenMainWindow(Start);
    TMainDlg& f = *form;
    for (const Control* view :
         std::initializer_list<const Control*>{&f.SrcFolderView, &f.DesFolderView})
        EXPECT_EQ(clWindow, static_cast<const TFolderView*>(view)->BackColor());
    EXPECT_EQ(clWindow, f.SrcFileView.BackColor());
    EXPECT_EQ(clWindow, f.DesFileView.BackColor());
    EXPECT_EQ(12, f.DesFileView.Look().FontSize);
    EXPECT_EQ(1, f.SrcFolderView.Look().FontStyle);
    EXPECT_EQ(30, f.SrcFolderPanel.Width());
    EXPECT_EQ(150, f.DesFolderPanel.Width());
    EXPECT_EQ(120, f.SrcPanel.Height());
    EXPECT_EQ(40, f.Left());
    EXPECT_EQ(700, f.Width());
    EXPECT_TRUE(SamePath(other, f.DesFolderView.GetSelectedPath()));
    EXPECT_EQ(TFileView::vsReport, f.DesFileView.ViewStyle());
    EXPECT_EQ(222, f.DesFileView.ColumnWidth(0));
    EXPECT_FALSE(f.StatusBar.Visible());
    EXPECT_FALSE(MenuChecked(f.MainMenu, StatusBarMenuItem));
    EXPECT_TRUE(EnvSettings.CompSize); // not a number: the default
    EXPECT_FALSE(EnvSettings.CompDate);
    EXPECT_FALSE(MenuChecked(f.MainMenu, CompObjDateMenuItem));
    // "2" reads as true: the whole reference list starts selected.
    EXPECT_TRUE(EnvSettings.AllSelect);
    EXPECT_EQ(1, f.SrcFileView.SelCount());
    ASSERT_EQ(10, f.SrcFolderCBoxEx.Count());
    EXPECT_EQ(-1, f.SrcFolderCBoxEx.ItemIndex());

    // A history of three entries writes three values; the rest keep what they held.
    while (f.SrcFolderCBoxEx.Count() > 0)
        f.SrcFolderCBoxEx.Delete(0);
    f.AddFolderHistory(PaneSide::Src, "C:\\C");
    f.AddFolderHistory(PaneSide::Src, "C:\\B");
    f.AddFolderHistory(PaneSide::Src, "C:\\A");
    f.Close();
    EXPECT_EQ("C:\\A", StoredText("Main", "SrcFolderList0"));
    EXPECT_EQ("C:\\C", StoredText("Main", "SrcFolderList2"));
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ("C:\\old" + std::to_string(i),
                  StoredText("Main", "SrcFolderList" + std::to_string(i)));
    EXPECT_EQ("-2147483643", StoredText("Main", "ViewBColor"));
    EXPECT_EQ("30", StoredText("Main", "SrcFolderViewWidth"));
    EXPECT_EQ("0", StoredText("Environment", "StatusBarDisp"));
    EXPECT_EQ("0", StoredText("Environment", "CompDate"));
    EXPECT_EQ("1", StoredText("Environment", "CompSize"));
}

TEST_F(MainStateTest, MaximizedCloseKeepsTheNormalBounds)
{
    WriteString("Main", "Top", "50");
    WriteString("Main", "Left", "60");
    WriteString("Main", "WindowState", "2");
    auto form = OpenMainWindow(Start);
    EXPECT_EQ(2, form->StoredWindowState());
    form->ShowInStoredState();
    EXPECT_TRUE(IsZoomed(form->Handle));
    form->Close();
    EXPECT_EQ("2", StoredText("Main", "WindowState"));
    EXPECT_EQ("50", StoredText("Main", "Top"));
    EXPECT_EQ("60", StoredText("Main", "Left"));
    EXPECT_EQ("<missing>", StoredText("Main", "Width"));
}

TEST_F(MainStateTest, SessionEndSavesOnceAndEndsTheProgram)
{
    SetCurrentDirectoryA(WithoutTrailingSlash(Start).c_str());
    EnvSettings = TEnvSettings{};
    LRESULT answer = 0;
    bool storedAfterQuery = true;
    std::vector<std::string> missing;
    TimedSteps session({
        When([] { return Application.MainWindow && IsWindowVisible(Application.MainWindow); },
             [&] {
                 HWND main = Application.MainWindow;
                 SendMessageA(main, WM_COMMAND, MAKEWPARAM(CompObjDateMenuItem, 0), 0);
                 answer = SendMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                 // Asking is not ending: another program may still refuse.
                 storedAfterQuery = StoredText("Main", "WindowState") != "<missing>";
                 SendMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                 for (const char* name : MainValues)
                     if (StoredText("Main", name) == "<missing>") missing.push_back(name);
                 for (const char* name : EnvironmentValues)
                     if (StoredText("Environment", name) == "<missing>") missing.push_back(name);
                 // Whatever still reaches the window must not write a second time.
                 WriteString("Main", "SrcDirectory", "written-after-the-session-end");
                 SendMessageA(main, WM_CLOSE, 0, 0);
             }),
    });
    int exitCode = RunProgram();

    ASSERT_EQ("", session.Failure);
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(TRUE, answer);
    EXPECT_FALSE(storedAfterQuery);
    EXPECT_EQ(std::vector<std::string>{}, missing);
    EXPECT_EQ("0", StoredText("Environment", "CompDate")); // the toggle made before the end
    EXPECT_EQ("written-after-the-session-end", StoredText("Main", "SrcDirectory"));
}

TEST_F(MainStateTest, PaneWhoseFolderIsGoneListsTheDesktop)
{
    std::string gone = WithoutTrailingSlash(Temp.MakeFolder("gone"));
    RemoveDirectoryA(gone.c_str());
    WriteString("Main", "SrcDirectory", gone);
    WriteString("Main", "DesDirectory", gone);

    int desktopItems = 0;
    IEnumIDList* items = nullptr;
    if (DesktopFolder()->EnumObjects(nullptr, 0xE0, &items) == S_OK && items) {
        LPITEMIDLIST item = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &item, &fetched) == S_OK && item) {
            ++desktopItems;
            FreeIdList(item);
        }
        items->Release();
    }
    ASSERT_GT(desktopItems, 0);

    auto form = OpenMainWindow(Start);
    TMainDlg& f = *form;
    EXPECT_EQ(f.SrcFolderView.Root(), f.SrcFolderView.Selected());
    EXPECT_EQ(f.DesFolderView.Root(), f.DesFolderView.Selected());
    EXPECT_EQ(desktopItems, f.SrcFileView.ItemCount());
    EXPECT_EQ(desktopItems, f.DesFileView.ItemCount());
    EXPECT_EQ(std::to_string(desktopItems) + " 個のオブジェクト", f.StatusBar.PanelText(0));
}

TEST_F(MainStateTest, WindowThatNoScreenShowsIsBroughtOntoTheNearest)
{
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    POINT origin{0, 0};
    GetMonitorInfoA(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &screen);
    const RECT work = screen.rcWork;
    auto openAt = [&](int left, int top) {
        WriteString("Main", "Left", std::to_string(left));
        WriteString("Main", "Top", std::to_string(top));
        auto form = OpenMainWindow(Start);
        RECT r{};
        GetWindowRect(form->Handle, &r);
        EXPECT_EQ(661, r.right - r.left);
        EXPECT_EQ(497, r.bottom - r.top);
        return r;
    };
    RECT distant = openAt(-32765, -29977);
    EXPECT_EQ(work.left, distant.left);
    EXPECT_EQ(work.top, distant.top);
    RECT right = openAt(work.right + 100, 120);
    EXPECT_EQ(work.right - 661, right.left);
    EXPECT_EQ(120, right.top);
    // Partly on the screen: the stored place is kept.
    RECT partly = openAt(-300, 50);
    EXPECT_EQ(-300, partly.left);
    EXPECT_EQ(50, partly.top);
}

// Folders named outside the code page: the values an earlier build wrote stay as they
// were ("?" for what the code page lacks), and the real spelling goes beside them in a
// value of its own, only where it is needed; it counts only beside its own "?" form.
TEST_F(MainStateTest, RealNamesAreKeptBesideTheirCodePageForm)
{
    const std::wstring korean = WideOf(Temp.Path) + L"\xD55C\xAE00"; // 한글
    Temp.WriteFile(L"\xD55C\xAE00\\in.txt", "k");
    const std::string koreanText = CodePageText(korean); // ...\??
    // Stored by an earlier run: a real name beside its "?" form, and a real one left
    // behind by a value an older build wrote over since.
    WriteString("Main", "SrcFolderList0", koreanText);
    WriteRealString("Main", "SrcFolderList0Real", korean);
    WriteString("Main", "SrcFolderList1", "C:\\plain");
    WriteRealString("Main", "SrcFolderList1Real", L"C:\\pl\x00E4in");
    WriteString("Main", "DesDirectory", koreanText);
    WriteRealString("Main", "DesDirectoryReal", korean);

    auto form = OpenMainWindow(Start);
    TMainDlg& f = *form;
    EXPECT_EQ(korean, f.SrcFolderCBoxEx.RealItem(0));
    EXPECT_EQ(L"C:\\plain", f.SrcFolderCBoxEx.RealItem(1));
    EXPECT_EQ(korean, f.DesFolderView.GetSelectedRealPath());
    EXPECT_EQ(korean, f.DesFolderCBoxEx.ShownText());

    f.AddFolderHistory(PaneSide::Des, f.DesFolderView.GetSelectedPath());
    f.Close();
    struct Value {
        const char* Name;
        std::string Text;
        std::wstring Real; // L"" where no real value may be written
    };
    const Value values[] = {
        {"SrcFolderList0", koreanText, korean},
        {"SrcFolderList1", "C:\\plain", L""}, // the left-behind one is gone
        {"DesFolderList0", koreanText, korean},
        {"DesDirectory", koreanText, korean},
        {"SrcDirectory", WithoutTrailingSlash(Start), L""},
    };
    for (const Value& v : values) {
        EXPECT_EQ(v.Text, StoredText("Main", v.Name)) << v.Name;
        std::wstring real;
        EXPECT_EQ(!v.Real.empty(), ReadRealString("Main", std::string(v.Name) + "Real", real))
            << v.Name;
        EXPECT_EQ(v.Real, real) << v.Name;
    }
}
