// The result window driven by the mouse, and its save dialog by mouse and keys, as a
// person drives them.
#include "engine/FileEntries.h"
#include "results/Result.h"
#include "settings/EnvSettings.h"
#include "tests/common/RealInput.h"
#include "tests/common/TempFolder.h"
#include "tests/common/TimedSteps.h"
#include "toolkit/CommonDialogs.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace {
HWND Shown(const char* caption)
{
    HWND window = FindWindowA("VexilForm", caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND ListIn(HWND window)
{
    return FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
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

// The middle of a column's header item, in the header's client area.
POINT HeaderItemPoint(HWND header, int column)
{
    RECT r{};
    Header_GetItemRect(header, column, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Two pairs: differ.bin (contents differ, binary, so that a double-click opens the byte
// view) and same.bin (equal), both folders real.
struct Pairs {
    TempFolder src, des;
    Pairs()
    {
        src.WriteFile("differ.bin", std::string("AB\0D", 4));
        des.WriteFile("differ.bin", std::string("AX\0Y", 4));
        src.WriteFile("same.bin", "same");
        des.WriteFile("same.bin", "same");
        Refill();
    }
    // The records of a run over them, afresh for each window.
    void Refill()
    {
        ResetEntries();
        AddEntry("differ.bin", "");
        FileEntries.back().ContentsResult = cvDiffer;
        AddEntry("same.bin", "");
        MismatchCount = 1;
        EnvSettings.DispDiscord = false;
    }
};
} // namespace

TEST(ResultMouse, DoubleClickOpensTheRowPopupCopiesHeaderSortsUnderItsArrow)
{
    Pairs pairs;
    const std::string copied =
        "ファイル名,日付,サイズ,内容\r\n" + (pairs.src / "differ.bin") + ",一致,一致,不一致\r\n";
    struct Case {
        const char* Name;
        std::function<void(HWND list)> Act;
        std::vector<WORD> MenuKeys; // pressed once the popup menu has opened
        bool ViewOpen;
        std::string Clipboard;
        int ArrowColumn, ArrowDirection;
    } cases[] = {
        {"double-click on a row whose contents differ",
         [](HWND list) { DoubleClickAt(list, ListItemPoint(list, 0)); },
         {},
         true,
         "",
         rcName,
         1},
        {"double-click on a row whose contents match",
         [](HWND list) { DoubleClickAt(list, ListItemPoint(list, 1)); },
         {},
         false,
         "",
         rcName,
         1},
        {"コピー of the popup menu",
         [](HWND list) { RightClickAt(list, ListItemPoint(list, 0)); },
         {'C'},
         false,
         copied,
         rcName,
         1},
        {"a click on the header of 対象のサイズ",
         [](HWND list) {
             HWND header = ListView_GetHeader(list);
             ClickAt(header, HeaderItemPoint(header, rcDesSize));
         },
         {},
         false,
         "",
         rcDesSize,
         -1},
    };
    for (const Case& c : cases) {
        pairs.Refill();
        EmptyTheClipboard();
        bool viewOpen = false;
        int arrowColumn = -2, arrowDirection = 0;
        std::string clipboard;
        std::deque<std::function<bool()>> steps;
        steps.push_back(
            When([] { return Shown("結果") != nullptr; }, [&] { c.Act(ListIn(Shown("結果"))); }));
        if (!c.MenuKeys.empty())
            steps.push_back(When([] { return OpenWindowCount("#32768") == 1; },
                                 [&] { PressKeys(c.MenuKeys); }));
        steps.push_back(Pause(800));
        steps.push_back([&] {
            viewOpen = Shown("表示") != nullptr;
            clipboard = ClipboardText();
            HWND header = ListView_GetHeader(ListIn(Shown("結果")));
            for (int i = 0; i < Header_GetItemCount(header); ++i) {
                HDITEMA item{};
                item.mask = HDI_FORMAT;
                Header_GetItem(header, i, &item);
                if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
                    arrowColumn = i;
                    arrowDirection = item.fmt & HDF_SORTUP ? 1 : -1;
                }
            }
            if (HWND view = Shown("表示")) PostMessageA(view, WM_CLOSE, 0, 0);
            return true;
        });
        steps.push_back(When([] { return Shown("表示") == nullptr; },
                             [] {
                                 if (HWND result = Shown("結果"))
                                     PostMessageA(result, WM_CLOSE, 0, 0);
                             }));
        TimedSteps user(steps, 15000);
        ShowResults(pairs.src.Path, pairs.des.Path);
        ASSERT_EQ("", user.Failure) << c.Name;
        EXPECT_EQ(c.ViewOpen, viewOpen) << c.Name;
        EXPECT_EQ(c.Clipboard, clipboard) << c.Name;
        EXPECT_EQ(c.ArrowColumn, arrowColumn) << c.Name;
        EXPECT_EQ(c.ArrowDirection, arrowDirection) << c.Name;
    }
}

// The platform's own save dialog: a name typed without an extension gets ".csv", and the
// check box adds the value columns.
TEST(ResultSaveDialog, AddsCsvToANameWithoutExtensionAndOffersTheValueColumns)
{
    Pairs pairs;
    TempFolder out;
    struct Case {
        const char* Name;
        std::string Typed, Written;
        bool Tick;
        std::string Header;
    } cases[] = {
        {"no extension", "plain", "plain.csv", false, "ファイル名,日付,サイズ,内容\r\n"},
        {"an extension of its own", "kept.txt", "kept.txt", false,
         "ファイル名,日付,サイズ,内容\r\n"},
        {"the value columns ticked", "values", "values.csv", true,
         "ファイル名,日付,サイズ,内容,基準の日時,対象の日時,基準のサイズ,対象のサイズ\r\n"},
    };
    for (const Case& c : cases) {
        pairs.Refill();
        EnvSettings.CsvValueColumns = false;
        std::deque<std::function<bool()>> steps;
        steps.push_back(When(
            [] { return Shown("結果") != nullptr; },
            [] {
                HWND result = Shown("結果");
                ClickAt(FindWindowExA(result, nullptr, "Button", "結果保存(&S)"),
                        ClientMiddle(FindWindowExA(result, nullptr, "Button", "結果保存(&S)")));
            }));
        HWND dialog = nullptr;
        steps.push_back(When(
            [&] {
                dialog = FindCommonDialog();
                return dialog && GetDlgItem(dialog, cmb13) ? true
                                                           : dialog && GetDlgItem(dialog, edt1);
            },
            [&] {
                if (!c.Tick) return;
                HWND box = nullptr;
                for (HWND child = FindWindowExA(dialog, nullptr, "#32770", nullptr); child && !box;
                     child = FindWindowExA(dialog, child, "#32770", nullptr))
                    box = GetDlgItem(child, DialogCheckBox::Id);
                ASSERT_NE(box, nullptr);
                ClickAt(box, {6, 6});
            }));
        steps.push_back(Pause(300));
        steps.push_back([&] {
            HWND name =
                GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            ClickAt(name, ClientMiddle(name));
            PressKeys({VK_END});
            PressKeys({VK_SHIFT, VK_HOME});
            TypeText(out / c.Typed);
            PressKeys({VK_RETURN});
            return true;
        });
        steps.push_back(When(
            [] {
                HWND box = FindCommonDialog();
                return box && BoxText(box) == "保存しました";
            },
            [] { Press(FindCommonDialog(), IDOK); }));
        steps.push_back(When([] { return FindCommonDialog() == nullptr; },
                             [] { PostMessageA(Shown("結果"), WM_CLOSE, 0, 0); }));
        TimedSteps user(steps, 20000);
        ShowResults(pairs.src.Path, pairs.des.Path);
        ASSERT_EQ("", user.Failure) << c.Name;
        std::string text = ReadWholeFile(out / c.Written);
        EXPECT_EQ(c.Header, text.substr(0, text.find('\n') + 1)) << c.Name;
        EXPECT_EQ(c.Tick, EnvSettings.CsvValueColumns) << c.Name;
    }
    EnvSettings.CsvValueColumns = false;
}
