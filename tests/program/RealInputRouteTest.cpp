// The main window as a person drives it: every route by real mouse and keyboard input at
// the real controls of the running program, and what the person then sees.
#include "mainwindow/Program.h"
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

namespace {
TMainDlg& Main()
{
    return *dynamic_cast<TMainDlg*>(FormOf(Application.MainWindow));
}

bool ActiveIs(const std::string& caption)
{
    HWND active = GetActiveWindow();
    return active && WindowText(active) == caption;
}

HWND ListOf(HWND parent)
{
    HWND found = nullptr;
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            char name[64] = {};
            GetClassNameA(h, name, sizeof name);
            if (lstrcmpiA(name, WC_LISTVIEWA) != 0) return TRUE;
            *reinterpret_cast<HWND*>(p) = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ListText(HWND list, int row)
{
    char text[512] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool Lists(TFileView& list, const std::string& caption)
{
    return IndexOfCaption(list, caption) >= 0;
}

int OpenMenus()
{
    return OpenWindowCount("#32768");
}
} // namespace

TEST(RealInputRoute, MenusKeysPopupsAndDialogsOfTheMainWindow)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    for (const char* name : {"alpha.txt", "beta.txt", "nu.txt", "nx.txt", "omega.txt"})
        temp.WriteFile(std::string("ref\\") + name, name);
    temp.WriteFile("des\\alpha.txt", "other");
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    WindowWatch menus("#32768"), resultWindows("VexilForm", "結果");
    int menusAfterRightClick = -1, menusAfterAppsKey = -1, menusAfterShiftF10 = -1;
    int menusInResult = -1;
    int resultWindowsOpened = -1;
    std::string statusAfterCtrlA, selectedAfterTyping;
    bool altF5RefreshedSrc = true, detailsByToolbar = false;
    HWND result = nullptr;
    auto src = [] { return Main().SrcFileView.Handle; };
    auto dst = [] { return Main().DesFileView.Handle; };

    TimedSteps user(
        {
            OnMainWindowAt(ref, des,
                           [&] {
                               SetForegroundWindow(Application.MainWindow);
                               ClickAt(src(), ListItemPoint(src(), 0));
                           }),
            // A menu command by its accelerator keys.
            When([&] { return GetFocus() == src(); },
                 [] {
                     PressKeys({VK_CONTROL, 'A'});
                 }),
            When([] { return Main().SrcFileView.SelCount() == 5; },
                 [&] {
                     statusAfterCtrlA = Main().StatusBar.PanelText(0);
                     // The popup by a right click in the target list: one Escape leaves none.
                     RightClickAt(dst(), ListItemPoint(dst(), 0));
                 }),
            When([] { return OpenMenus() == 1; }, [] { PressKeys({VK_ESCAPE}); }),
            When([] { return OpenMenus() == 0; }, [] {}),
            Pause(500),
            When([] { return OpenMenus() == 0; },
                 [&] {
                     menusAfterRightClick = menus.Created();
                     PressKeys({VK_APPS});
                 }),
            When([] { return OpenMenus() == 1; }, [] { PressKeys({VK_ESCAPE}); }),
            When([] { return OpenMenus() == 0; },
                 [&] {
                     menusAfterAppsKey = menus.Created();
                     // The popup by Shift+F10 in the reference list; its compare item runs once.
                     ClickAt(src(), ListItemPoint(src(), 0));
                     PressKeys({VK_CONTROL, 'A'});
                     PressKeys({VK_SHIFT, VK_F10});
                 }),
            When([] { return OpenMenus() == 1; }, [] { PressKeys({'C'}); }),
            When([] { return ActiveIs("結果"); },
                 [&] {
                     menusAfterShiftF10 = menus.Created();
                     result = GetActiveWindow();
                     // Type-to-find: the list has the focus as the window opens.
                     TypeText("n");
                 }),
            When(
                [&] {
                    HWND list = ListOf(result);
                    return ListView_GetNextItem(list, -1, LVNI_SELECTED) >= 0;
                },
                [&] {
                    HWND list = ListOf(result);
                    selectedAfterTyping =
                        ListText(list, ListView_GetNextItem(list, -1, LVNI_SELECTED));
                    // The result list's popup from the keyboard, then Escape twice: the menu,
                    // then the window.
                    PressKeys({VK_SHIFT, VK_F10});
                }),
            When([] { return OpenMenus() == 1; },
                 [&] {
                     menusInResult = menus.Created() - menusAfterShiftF10;
                     PressKeys({VK_ESCAPE});
                 }),
            When([] { return OpenMenus() == 0; }, [] { PressKeys({VK_ESCAPE}); }),
            When([] { return GetActiveWindow() == Application.MainWindow; },
                 [&] {
                     resultWindowsOpened = resultWindows.Created();
                     // F5 in the reference list: with exactly Alt nothing, with Alt+Shift a refill.
                     temp.WriteFile("ref\\fresh1.txt", "new");
                     ClickAt(src(), ListItemPoint(src(), 0));
                     PressKeys({VK_MENU, VK_F5});
                 }),
            Pause(500),
            [&] {
                altF5RefreshedSrc = Lists(Main().SrcFileView, "fresh1.txt");
                PressKeys({VK_MENU, VK_SHIFT, VK_F5});
                return true;
            },
            When([] { return Lists(Main().SrcFileView, "fresh1.txt"); },
                 [&] {
                     temp.WriteFile("ref\\fresh2.txt", "new");
                     PressKeys({VK_F5});
                 }),
            // F5 in the target list, with and without Alt.
            When([] { return Lists(Main().SrcFileView, "fresh2.txt"); },
                 [&] {
                     temp.WriteFile("des\\fresh3.txt", "new");
                     ClickAt(dst(), ListItemPoint(dst(), 0));
                     PressKeys({VK_MENU, VK_F5});
                 }),
            When([] { return Lists(Main().DesFileView, "fresh3.txt"); },
                 [&] {
                     temp.WriteFile("des\\fresh4.txt", "new");
                     PressKeys({VK_F5});
                 }),
            // A toolbar button by mouse: details for the focused (target) list.
            When([] { return Lists(Main().DesFileView, "fresh4.txt"); },
                 [&] {
                     HWND bar = Main().ToolBar.Handle;
                     ClickAt(bar, ToolBarButtonPoint(bar, ReportTButton));
                 }),
            When([] { return Main().DesFileView.ViewStyle() == TFileView::vsReport; },
                 [&] {
                     detailsByToolbar = Main().SrcFileView.ViewStyle() != TFileView::vsReport;
                     // Enter in a dialog: the about box by its menu keys, closed by Enter.
                     PressKeys({VK_MENU, 'H'});
                     PressKeys({'A'});
                 }),
            When([] { return ActiveIs("ﾊﾞｰｼﾞｮﾝ情報"); }, [] { PressKeys({VK_RETURN}); }),
            When([] { return GetActiveWindow() == Application.MainWindow; },
                 [] { PostMessageA(Application.MainWindow, WM_CLOSE, 0, 0); }),
        },
        20000);
    int exitCode = RunProgram();

    ASSERT_EQ("", user.Failure);
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ("5 個のオブジェクトを選択", statusAfterCtrlA);
    EXPECT_EQ(1, menusAfterRightClick);
    EXPECT_EQ(2, menusAfterAppsKey);
    EXPECT_EQ(3, menusAfterShiftF10);
    EXPECT_EQ(1, resultWindowsOpened);
    EXPECT_EQ("nu.txt", selectedAfterTyping);
    EXPECT_EQ(1, menusInResult);
    EXPECT_FALSE(altF5RefreshedSrc);
    EXPECT_TRUE(detailsByToolbar);
    ClearStore();
}
