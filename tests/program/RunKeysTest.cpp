// A comparison run from the keyboard alone: started by the menu keys, cancelled by a key
// in the progress window, and the main window takes keys again after the end message.
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"

#include <gtest/gtest.h>

namespace {
// A file of the given size that costs no disk: its bytes are all zero.
void WriteSparseFile(const std::string& path, LONGLONG size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
}

HWND ProgressWindow()
{
    HWND window = FindWindowA("VexilForm", "比較");
    return window && IsWindowVisible(window) ? window : nullptr;
}

struct RunKeyCase {
    const char* Name;
    std::vector<WORD> Keys; // held down together in the progress window
};

struct RunSeen {
    bool FocusOnCancel = false;
    std::string EndMessage;
    bool FocusBack = false;
    bool MenuByAltF = false;
};
} // namespace

TEST(RunKeys, AKeyCancelsTheRunAndTheMainWindowTakesKeysAfterwards)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    // Long enough to press keys during it: the pairs are equal, so a finished run
    // would say nothing of a cancel.
    for (int i = 0; i < 16; ++i)
        for (const std::string& side : {ref, des})
            WriteSparseFile(side + "\\big" + std::to_string(i) + ".bin", 256LL << 20);
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    const RunKeyCase cases[] = {
        {"Escape", {VK_ESCAPE}},
        {"the mnemonic Alt+C", {VK_MENU, 'C'}},
        {"Space on the focused 中止", {VK_SPACE}},
    };
    std::vector<RunSeen> seen(std::size(cases));
    int flagsSeen = 0, flagsReachable = 0;
    auto src = [] { return RunningMain().SrcFileView.Handle; };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(ref, des, [&] {
        SetForegroundWindow(Application.MainWindow);
        ClickAt(src(), ListItemPoint(src(), 0));
        PressKeys({VK_CONTROL, 'A'});
    }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        RunSeen& s = seen[i];
        steps.push_back(When([&] { return RunningMain().SrcFileView.SelCount() == 16; },
                             [] {
                                 PressKeys({VK_MENU, 'F'});
                                 PressKeys({'C'});
                             }));
        steps.push_back(
            When([] { return ProgressWindow() != nullptr; },
                 [&, i] {
                     HWND cancel = FindWindowExA(ProgressWindow(), nullptr, "Button", "中止(&C)");
                     HWND flag = FindWindowExA(ProgressWindow(), nullptr, "Button", "中止フラグ");
                     flagsSeen += flag != nullptr;
                     flagsReachable += flag && (IsWindowVisible(flag) || IsWindowEnabled(flag) ||
                                                (GetWindowLongA(flag, GWL_STYLE) & WS_TABSTOP));
                     s.FocusOnCancel = GetFocus() == cancel;
                     PressKeys(cases[i].Keys);
                 }));
        steps.push_back(When([] { return FindCommonDialog() != nullptr; },
                             [&] {
                                 s.EndMessage = BoxText(FindCommonDialog());
                                 PressKeys({VK_RETURN});
                             }));
        steps.push_back(
            When([] { return !FindCommonDialog() && GetActiveWindow() == Application.MainWindow; },
                 [&] {
                     s.FocusBack = GetFocus() == src();
                     PressKeys({VK_MENU, 'F'});
                 }));
        steps.push_back(When([] { return OpenWindowCount("#32768") == 1; },
                             [&] {
                                 s.MenuByAltF = true;
                                 PressKeys({VK_ESCAPE});
                                 PressKeys({VK_ESCAPE});
                             }));
        steps.push_back(When([] { return OpenWindowCount("#32768") == 0; }, [] {}));
    }
    ASSERT_EQ("", RunProgramWith(steps, 60000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(seen[i].FocusOnCancel) << cases[i].Name;
        // How far it came (the count depends on when the key arrived), never "no mismatches".
        EXPECT_EQ(0u, seen[i].EndMessage.find("比較を中断しました。")) << cases[i].Name;
        EXPECT_NE(std::string::npos, seen[i].EndMessage.find(" / 16 個のファイルを比較しました。"))
            << cases[i].Name << ": " << seen[i].EndMessage;
        EXPECT_TRUE(seen[i].FocusBack) << cases[i].Name;
        EXPECT_TRUE(seen[i].MenuByAltF) << cases[i].Name;
    }
    // The flag that carries the request is never shown, enabled or a tab stop.
    EXPECT_EQ(3, flagsSeen);
    EXPECT_EQ(0, flagsReachable);
    ClearStore();
}
