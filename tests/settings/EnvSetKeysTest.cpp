// The settings dialog by keyboard: the tabs by Ctrl with Tab or the page keys, and a
// mnemonic two buttons share.
#include "settings/EnvSet.h"
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"

#include <gtest/gtest.h>

TEST(EnvSetKeys, CtrlTabSwitchesPagesAndASharedMnemonicGoesFromOneButtonToTheNext)
{
    struct Case {
        const char* Name;
        std::vector<WORD> Keys; // held down together
        int Page;               // the tab shown afterwards
        const char* Focus;      // caption of the focused control, "" when not looked at
    };
    const Case cases[] = {
        {"Ctrl+Tab", {VK_CONTROL, VK_TAB}, 1, ""},
        {"Ctrl+Tab again", {VK_CONTROL, VK_TAB}, 2, ""},
        {"Ctrl+Tab wraps to the first", {VK_CONTROL, VK_TAB}, 0, ""},
        {"Ctrl+Shift+Tab wraps to the last", {VK_CONTROL, VK_SHIFT, VK_TAB}, 2, ""},
        {"Ctrl+PgUp", {VK_CONTROL, VK_PRIOR}, 1, ""},
        {"Ctrl+PgDn", {VK_CONTROL, VK_NEXT}, 2, ""},
        {"Ctrl+PgDn wraps to the first", {VK_CONTROL, VK_NEXT}, 0, ""},
        {"Alt+C reaches the first of two", {VK_MENU, 'C'}, 0, "文字色(&C)..."},
        {"Alt+C again the second", {VK_MENU, 'C'}, 0, "キャンセル(&C)"},
        {"Alt+C once more the first", {VK_MENU, 'C'}, 0, "文字色(&C)..."},
    };
    TEnvSetDlg dialog;
    ASSERT_TRUE(dialog.Create());
    std::vector<int> pages(std::size(cases), -1);
    std::vector<std::string> focus(std::size(cases));
    std::deque<std::function<bool()>> steps;
    steps.push_back(When([&] { return IsWindowVisible(dialog.Handle); }, [] {}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back([&, i] {
            PressKeys(cases[i].Keys);
            return true;
        });
        steps.push_back(Pause(300));
        steps.push_back([&, i] {
            pages[i] = dialog.PageCtl.SelectedIndex();
            focus[i] = WindowText(GetFocus());
            return true;
        });
    }
    steps.push_back([&] {
        dialog.ModalResult = mrOK;
        return true;
    });
    TimedSteps user(steps, 20000);
    EXPECT_EQ(mrOK, dialog.ShowModal());
    ASSERT_EQ("", user.Failure);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].Page, pages[i]) << cases[i].Name;
        if (*cases[i].Focus) {
            EXPECT_EQ(cases[i].Focus, focus[i]) << cases[i].Name;
        }
    }
}
