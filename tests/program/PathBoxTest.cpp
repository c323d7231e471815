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

// The history's keys in the box: Alt+Down drops the list without leaving the menu bar
// armed, Down then opens an entry, Esc closes the list leaving the pane as it was.
TEST(PathBox, HistoryKeysDropTheListAndChooseAnEntry)
{
    ClearStore();
    TempFolder temp;
    const std::string first = WithoutTrailingSlash(temp.MakeFolder("first"));
    const std::string second = WithoutTrailingSlash(temp.MakeFolder("second"));
    const std::string start = WithoutTrailingSlash(temp.MakeFolder("start"));
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};
    struct Case {
        const char* Name;
        std::vector<WORD> Keys;
        bool Dropped;       // the list is open afterwards
        std::string Folder; // the reference pane's folder afterwards
    };
    const Case cases[] = {
        {"Alt+Down drops the list", {VK_MENU, VK_DOWN}, true, start},
        {"Esc closes it, the pane stays", {VK_ESCAPE}, false, start},
        {"Alt+Down again", {VK_MENU, VK_DOWN}, true, start},
        // The folder shown is not in the history: nothing is marked, Down takes the top one.
        {"Down opens the top entry", {VK_DOWN}, false, first},
    };
    struct Seen {
        bool Dropped = false, MenuMode = true, MenuOpen = true;
        std::string Folder, Shown;
    };
    std::vector<Seen> seen(std::size(cases));
    auto main = [] { return RunningMain().Handle; };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(start, start, [&] {
        RunningMain().AddFolderHistory(PaneSide::Src, second);
        RunningMain().AddFolderHistory(PaneSide::Src, first);
        RunningMain().SrcFolderView.SelectPath(start);
        SetForegroundWindow(main());
        HWND edit = RunningMain().SrcFolderCBoxEx.EditHandle();
        ClickAt(edit, ClientMiddle(edit));
    }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back(Pause(300));
        steps.push_back([&, i] {
            PressKeys(cases[i].Keys);
            return true;
        });
        steps.push_back(Pause(600));
        steps.push_back([&, i] {
            TComboBoxEx& box = RunningMain().SrcFolderCBoxEx;
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            GetGUIThreadInfo(GetCurrentThreadId(), &gui);
            seen[i].MenuMode = (gui.flags & GUI_INMENUMODE) != 0;
            seen[i].MenuOpen = OpenWindowCount("#32768") > 0;
            seen[i].Dropped = SendMessageW(box.Handle, CB_GETDROPPEDSTATE, 0, 0) != 0;
            seen[i].Folder = RunningMain().SrcFolderView.GetSelectedPath();
            seen[i].Shown = CodePageText(box.EditText());
            return true;
        });
    }
    ASSERT_EQ("", RunProgramWith(steps, 30000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(c.Dropped, seen[i].Dropped) << c.Name;
        EXPECT_FALSE(seen[i].MenuMode) << c.Name;
        EXPECT_FALSE(seen[i].MenuOpen) << c.Name;
        EXPECT_TRUE(SamePath(c.Folder, seen[i].Folder)) << c.Name << ": " << seen[i].Folder;
        if (!c.Dropped) {
            EXPECT_TRUE(SamePath(c.Folder, seen[i].Shown)) << c.Name;
        }
    }
    ClearStore();
}
