// ヘルプ → 目次 as a person reaches it: by the menu keys, showing help that exists,
// closed by Esc or its button.
#include "mainwindow/Help.h"
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>

TEST(Help, ContentsOpenTheProgramsOwnHelp)
{
    ClearStore();
    TempFolder temp;
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};
    struct Case {
        const char* Name;
        std::vector<WORD> CloseKeys;
    };
    const Case cases[] = {{"closed by Esc", {VK_ESCAPE}}, {"closed by its button", {VK_MENU, 'C'}}};
    std::vector<std::wstring> texts(std::size(cases));
    auto main = [] { return RunningMain().Handle; };
    auto help = [] { return FindWindowA("VexilForm", "Vexil32 ヘルプ"); };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(temp.Path, temp.Path, [] {}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back(When([&] { return GetActiveWindow() == main(); },
                             [&] {
                                 SetForegroundWindow(main());
                                 PressKeys({VK_MENU, 'H'});
                             }));
        steps.push_back(When([] { return OpenWindowCount("#32768") == 1; },
                             [] { PressKeys({'C'}); }));
        steps.push_back(When([&] { return help() && GetActiveWindow() == help(); },
                             [&, i] {
                                 auto* dialog = dynamic_cast<THelpDlg*>(FormOf(help()));
                                 if (dialog) texts[i] = dialog->ContentsMemo.Text();
                                 PressKeys(cases[i].CloseKeys);
                             }));
        steps.push_back(When([&] { return !help() && GetActiveWindow() == main(); }, [] {}));
    }
    ASSERT_EQ("", RunProgramWith(steps, 30000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(WideOf(HelpText()), texts[i]) << cases[i].Name;
        // The help names the ways to the two comparisons and to a typed folder.
        for (const char* words : {"目次", "フォルダ全体を比較（F9）", "比較（Ctrl+Enter）",
                                  "パスを入力するか貼り付けて Enter"})
            EXPECT_NE(std::wstring::npos, texts[i].find(WideOf(words))) << words;
    }
    ClearStore();
}
