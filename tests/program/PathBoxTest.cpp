// The panes' folder boxes as a person uses them: a path typed or pasted and Enter opens
// it, one that names no folder says so and changes nothing, and the box always shows
// the pane's folder, by its real name.
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Clipboard.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>

namespace {
enum class Side { Src, Des };

TMainPane& PaneOf(Side side)
{
    return side == Side::Src ? RunningMain().Src : RunningMain().Des;
}

std::wstring WithoutSlash(std::wstring path)
{
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

struct BoxCase {
    const char* Name;
    Side Box;
    std::wstring Input;  // typed (ASCII) or pasted (anything else)
    WORD Key;            // pressed after the input: Enter, Esc or Tab
    std::wstring Folder; // the pane's folder afterwards
    std::string Message; // the information box shown, "" for none
    bool ListFocused;    // the focus went on to the pane's list
};

struct BoxSeen {
    std::wstring Folder, Shown, Edit, HistoryTop;
    std::string Message;
    bool ListFocused = false;
};

bool IsAscii(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}
} // namespace

TEST(PathBox, TypedAndPastedPathsOpenTheirFolderOrSayWhy)
{
    ClearStore();
    TempFolder temp;
    const std::wstring top = WithoutSlash(WideOf(temp.Path));
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    temp.MakeFolder("ref\\sub");
    temp.MakeFolder("typed");
    temp.WriteFile(L"\xD55C\xAE00\\in.txt", "k"); // 한글, outside the code page
    temp.WriteFile("afile.txt", "a");
    SetEnvironmentVariableW(L"VEXIL_TYPED", top.c_str());
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    const std::wstring korean = top + L"\\\xD55C\xAE00";
    const std::string missing = "フォルダが見つかりません。\r\n";
    const BoxCase cases[] = {
        {"an absolute path typed into the reference box", Side::Src, top + L"\\typed", VK_RETURN,
         top + L"\\typed", "", true},
        {"the same into the target box", Side::Des, top + L"\\typed", VK_RETURN,
         top + L"\\typed", "", true},
        {"a relative path with forward slashes", Side::Src, L"../ref/sub", VK_RETURN,
         top + L"\\ref\\sub", "", true},
        {"a pasted path in quotes and blanks, named outside the code page", Side::Src,
         L"  \"" + korean + L"\"  ", VK_RETURN, korean, "", true},
        {"a %variable%", Side::Des, L"%VEXIL_TYPED%/ref", VK_RETURN, top + L"\\ref", "", true},
        {"a folder that does not exist", Side::Src, top + L"\\nowhere", VK_RETURN, korean,
         missing + CodePageText(top) + "\\nowhere", false},
        {"a file", Side::Src, top + L"\\afile.txt", VK_RETURN, korean,
         missing + CodePageText(top) + "\\afile.txt", false},
        {"typing, then Esc", Side::Src, top + L"\\typed", VK_ESCAPE, korean, "", false},
        {"typing, then Tab away", Side::Des, top + L"\\typed", VK_TAB, top + L"\\ref", "", false},
    };
    std::vector<BoxSeen> seen(std::size(cases));
    COLORREF quietMark = 0, markSeen = 1;
    auto main = [] { return RunningMain().Handle; };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(ref, des, [] {}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const BoxCase& c = cases[i];
        BoxSeen& s = seen[i];
        steps.push_back(When([&] { return GetActiveWindow() == main(); },
                             [&] {
                                 // The clipboard first: taking it moves the focus under Wine.
                                 bool paste = !IsAscii(c.Input);
                                 if (paste)
                                     PutTextOnClipboard(main(), CodePageText(c.Input), c.Input);
                                 SetForegroundWindow(main());
                                 HWND edit = PaneOf(c.Box).FolderCBoxEx.EditHandle();
                                 ClickAt(edit, ClientMiddle(edit));
                                 PressKeys({VK_CONTROL, 'A'});
                                 if (paste)
                                     PressKeys({VK_CONTROL, 'V'});
                                 else
                                     TypeText(CodePageText(c.Input));
                             }));
        steps.push_back(When(
            [&] {
                TComboBoxEx& box = PaneOf(c.Box).FolderCBoxEx;
                return box.EditText() != box.ShownText();
            },
            [&] { PressKeys({c.Key}); }));
        steps.push_back(Pause(300));
        steps.push_back([&] {
            if (HWND box = FindCommonDialog()) {
                s.Message = BoxText(box);
                PressKeys({VK_RETURN});
            }
            return true;
        });
        steps.push_back(When([&] { return !FindCommonDialog() && GetActiveWindow() == main(); },
                             [&] {
                                 TMainPane& pane = PaneOf(c.Box);
                                 s.Folder = pane.FolderView.GetSelectedRealPath();
                                 s.Shown = pane.FolderCBoxEx.ShownText();
                                 s.HistoryTop = pane.FolderCBoxEx.RealItem(0);
                                 s.ListFocused = GetFocus() == pane.FileView.Handle;
                                 s.Edit = pane.FolderCBoxEx.EditText();
                             }));
    }
    // With the focus elsewhere, the tree still marks the folder it shows.
    steps.push_back([&] {
        TFolderView& tree = RunningMain().SrcFolderView;
        RunningMain().SrcFileView.SetFocus();
        RedrawWindow(tree.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT text{};
        TreeView_GetItemRect(tree.Handle, tree.Selected(), &text, TRUE);
        HDC dc = GetDC(tree.Handle);
        markSeen = GetPixel(dc, text.left + 1, text.top + 1);
        ReleaseDC(tree.Handle, dc);
        quietMark = tree.QuietSelectionColor();
        return true;
    });
    ASSERT_EQ("", RunProgramWith(steps, 90000));

    for (size_t i = 0; i < std::size(cases); ++i) {
        const BoxCase& c = cases[i];
        const BoxSeen& s = seen[i];
        EXPECT_EQ(c.Message, s.Message) << c.Name;
        EXPECT_EQ(c.Folder, s.Folder) << c.Name;
        // The box shows the pane's folder, by its real name.
        EXPECT_EQ(c.Folder, s.Shown) << c.Name;
        EXPECT_EQ(c.ListFocused, s.ListFocused) << c.Name;
        // What was typed stays for a correction; otherwise the edit shows the folder.
        EXPECT_EQ(c.Message.empty() ? c.Folder : c.Input, s.Edit) << c.Name;
        if (c.Key == VK_RETURN && c.Message.empty()) {
            EXPECT_EQ(c.Folder, s.HistoryTop) << c.Name;
        }
    }
    EXPECT_EQ(quietMark, markSeen);
    EXPECT_NE(GetSysColor(COLOR_WINDOW), markSeen);
    ClearStore();
}
