// Masks typed into the settings dialog by real input: characters the code page cannot
// hold and masks of thousands of characters come back whole, without a crash.
#include "settings/EnvSet.h"

#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

TEST(MaskEntry, WideAndLongMasksAreTypedAndReadBackWhole)
{
    // A crash ends the process at once, so the test sees it, instead of waiting behind
    // the debugger's dialog.
    HKEY debugger = nullptr;
    DWORD off = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &debugger, nullptr);
    RegSetValueExA(debugger, "ShowCrashDialog", 0, REG_DWORD, reinterpret_cast<BYTE*>(&off),
                   sizeof off);
    RegCloseKey(debugger);

    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    d.SetExcludeMasks({L"テンポ*.txt"}); // ポ ends in the byte of "|"
    d.CheckBox1.SetChecked(true);
    d.PageCtl.SetSelectedIndex(2);
    const std::vector<std::wstring> typed = {L"\xD83D\xDE00.txt", L"caf\x00E9.txt",
                                             std::wstring(2000, L'x') + L"*.log"};
    auto inputBox = [] { return FindWindowA(FormClassName, "比較対象外の追加"); };
    std::deque<std::function<bool()>> steps;
    for (const std::wstring& mask : typed) {
        steps.push_back([&d] {
            SetForegroundWindow(d.Handle);
            ClickAt(d.Button1.Handle, ClientMiddle(d.Button1.Handle));
            return true;
        });
        steps.push_back(When([&] { return inputBox() && GetForegroundWindow() == inputBox(); },
                             [&mask] {
                                 TypeWideText(mask);
                                 PressKeys({VK_RETURN});
                             }));
        steps.push_back([&] { return !inputBox(); });
    }
    steps.push_back(When([&d] { return d.ExtListBox.Count() == 4; },
                         [&d] { PostMessageA(d.OKButton.Handle, BM_CLICK, 0, 0); }));
    {
        TimedSteps script(steps, 60000);
        EXPECT_EQ(mrOK, d.ShowModal());
        EXPECT_EQ("", script.Failure);
    }
    std::vector<std::wstring> expected = {L"テンポ*.txt"};
    expected.insert(expected.end(), typed.begin(), typed.end());
    EXPECT_EQ(expected, d.ExcludeMasks());
}
