// The result window and the byte view driven by keys alone, as a person at the keyboard.
#include "engine/FileEntries.h"
#include "results/Result.h"
#include "settings/EnvSettings.h"
#include "tests/common/RealInput.h"
#include "tests/common/TempFolder.h"
#include "tests/common/TimedSteps.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct KeyCase {
    const char* Name;
    const char* Window;        // where the keys go: "結果" or "表示"
    int Row;                   // clicked first (in the result list: 0 differ.bin, 1 same.bin)
    std::vector<WORD> Extend;  // keys that widen the selection before the tested ones
    std::vector<WORD> Keys;    // held down together
    bool ViewOpen, ResultOpen; // what stands afterwards
    std::string Clipboard;     // "" when nothing was copied
};

std::string ClipboardText(UINT format)
{
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(format)) {
        if (format == CF_UNICODETEXT) {
            const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
            int n = WideCharToMultiByte(932, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
            WideCharToMultiByte(932, 0, wide, -1, text.data(), n, nullptr, nullptr);
        } else {
            text = static_cast<const char*>(GlobalLock(data));
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard()
{
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

HWND Shown(const char* caption)
{
    HWND window = FindWindowA("VexilForm", caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND ListIn(HWND window)
{
    return FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
}

} // namespace

TEST(ResultKeys, EnterOpensTheRowCtrlCCopiesEscapeCloses)
{
    TempFolder src, des;
    src.WriteFile("differ.bin", "ABCD");
    des.WriteFile("differ.bin", "AXCY");
    src.WriteFile("same.bin", "same");
    des.WriteFile("same.bin", "same");
    const std::string resultCsv = "ファイル名,日付,サイズ,内容\r\n" + (src / "differ.bin") +
                                  ",一致,一致,不一致\r\n";
    const std::string byteCsv =
        "アドレス,基準(16進),対象(16進),基準(10進),対象(10進),基準(ASCII),対象(ASCII)\r\n"
        "00000001,42,58, 66, 88,B,X\r\n00000003,44,59, 68, 89,D,Y\r\n";
    const KeyCase cases[] = {
        {"Enter on a row whose contents differ", "結果", 0, {}, {VK_RETURN}, true, true, ""},
        {"Enter on a row whose contents match", "結果", 1, {}, {VK_RETURN}, false, true, ""},
        {"Ctrl+C on a result row", "結果", 0, {}, {VK_CONTROL, 'C'}, false, true, resultCsv},
        {"Escape in the result window", "結果", 0, {}, {VK_ESCAPE}, false, false, ""},
        {"Enter on a byte row", "表示", 0, {}, {VK_RETURN}, true, true, ""},
        {"Ctrl+C on two byte rows", "表示", 0, {VK_SHIFT, VK_DOWN}, {VK_CONTROL, 'C'}, true, true,
         byteCsv},
        {"Escape in the byte view", "表示", 0, {}, {VK_ESCAPE}, false, true, ""},
    };
    EnvSettings.DispDiscord = false;
    for (const KeyCase& c : cases) {
        ResetEntries();
        AddEntry("differ.bin", "");
        FileEntries.back().ContentsResult = cvDiffer;
        AddEntry("same.bin", "");
        MismatchCount = 1;
        EmptyTheClipboard();
        bool viewOpen = false, resultOpen = false;
        std::string wideText, narrowText;
        auto keys = [&] {
            HWND list = ListIn(Shown(c.Window));
            ClickAt(list, ListItemPoint(list, c.Row));
            if (!c.Extend.empty()) PressKeys(c.Extend);
            PressKeys(c.Keys);
        };
        std::deque<std::function<bool()>> steps;
        steps.push_back(When([] { return Shown("結果") != nullptr; }, [&] {
            if (std::string(c.Window) == "結果") return keys();
            HWND list = ListIn(Shown("結果"));
            ClickAt(list, ListItemPoint(list, 0));
            PressKeys({VK_RETURN});
        }));
        if (std::string(c.Window) == "表示")
            steps.push_back(When([] { return Shown("表示") != nullptr; }, keys));
        steps.push_back(Pause(800));
        steps.push_back([&] {
            viewOpen = Shown("表示") != nullptr;
            resultOpen = Shown("結果") != nullptr;
            wideText = ClipboardText(CF_UNICODETEXT);
            narrowText = ClipboardText(CF_TEXT);
            if (HWND view = Shown("表示")) PostMessageA(view, WM_CLOSE, 0, 0);
            return true;
        });
        steps.push_back(When([] { return Shown("表示") == nullptr; }, [] {
            if (HWND result = Shown("結果")) PostMessageA(result, WM_CLOSE, 0, 0);
        }));
        TimedSteps user(steps, 15000);
        ShowResults(src.Path, des.Path);
        ASSERT_EQ("", user.Failure) << c.Name;
        EXPECT_EQ(c.ViewOpen, viewOpen) << c.Name;
        EXPECT_EQ(c.ResultOpen, resultOpen) << c.Name;
        EXPECT_EQ(c.Clipboard, narrowText) << c.Name;
        EXPECT_EQ(c.Clipboard, wideText) << c.Name;
    }
}
