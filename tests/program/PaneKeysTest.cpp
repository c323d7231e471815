// The main window by keyboard alone: Explorer's keys in the lists, Tab and F6 through the
// panes and the toolbar, and a history entry whose folder has gone.
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"

#include <gtest/gtest.h>

namespace {
enum Place { SrcCombo, SrcTree, SrcList, DesCombo, DesTree, DesList, Bar };

HWND HandleOf(Place place)
{
    TMainDlg& m = RunningMain();
    const HWND handles[] = {m.SrcFolderCBoxEx.Handle, m.SrcFolderView.Handle, m.SrcFileView.Handle,
                            m.DesFolderCBoxEx.Handle, m.DesFolderView.Handle, m.DesFileView.Handle,
                            m.ToolBar.Handle};
    return handles[place];
}

struct PaneKeyCase {
    const char* Name;
    std::vector<WORD> Keys; // held down together
    Place Focus;            // where the focus is afterwards
    const char* SrcFolder;  // the reference pane's folder afterwards, under the test's folder
    const char* Box;        // the information box shown, "" for none
    int SrcSelected;        // selected items of the reference list, -1 when not looked at
};

struct PaneSeen {
    int Focus = -1; // a Place
    std::string SrcFolder, Box;
    int SrcSelected = -1;
};
} // namespace

TEST(PaneKeys, ExplorerKeysTabAndF6ThroughThePanes)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    temp.MakeFolder("ref\\sub");
    temp.WriteFile("ref\\zfile.txt", "z");
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    const std::string gone = WithoutTrailingSlash(temp.MakeFolder("gone"));
    const std::string top = WithoutTrailingSlash(temp.Path);
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    const std::string missing = "フォルダが見つかりません。\r\n" + gone;
    const PaneKeyCase cases[] = {
        {"no key yet: the reference list has the focus", {}, SrcList, "ref", "", -1},
        {"typing s finds the folder", {'S'}, SrcList, "ref", "", 1},
        {"Enter on a folder opens it", {VK_RETURN}, SrcList, "ref\\sub", "", -1},
        {"Backspace goes to the parent", {VK_BACK}, SrcList, "ref", "", -1},
        {"typing z finds the file", {'Z'}, SrcList, "ref", "", 1},
        {"Enter on a file does nothing", {VK_RETURN}, SrcList, "ref", "", 1},
        {"Alt+Up goes to the parent", {VK_MENU, VK_UP}, SrcList, "", "", -1},
        {"Tab to the target history", {VK_TAB}, DesCombo, "", "", -1},
        {"Tab to the target tree", {VK_TAB}, DesTree, "", "", -1},
        {"Tab to the target list", {VK_TAB}, DesList, "", "", -1},
        {"Tab to the toolbar", {VK_TAB}, Bar, "", "", -1},
        {"Tab to the reference history", {VK_TAB}, SrcCombo, "", "", -1},
        {"Tab to the reference tree", {VK_TAB}, SrcTree, "", "", -1},
        {"Tab to the reference list", {VK_TAB}, SrcList, "", "", -1},
        {"Shift+Tab back to the reference tree", {VK_SHIFT, VK_TAB}, SrcTree, "", "", -1},
        {"F6 to the other pane's tree", {VK_F6}, DesTree, "", "", -1},
        {"Shift+F6 back", {VK_SHIFT, VK_F6}, SrcTree, "", "", -1},
        {"Shift+Tab to the reference history", {VK_SHIFT, VK_TAB}, SrcCombo, "", "", -1},
        {"Shift+Tab to the toolbar", {VK_SHIFT, VK_TAB}, Bar, "", "", -1},
        {"F6 from the toolbar to the reference list", {VK_F6}, SrcList, "", "", -1},
        {"back to the toolbar", {VK_SHIFT, VK_TAB}, SrcTree, "", "", -1},
        {"...", {VK_SHIFT, VK_TAB}, SrcCombo, "", "", -1},
        {"...", {VK_SHIFT, VK_TAB}, Bar, "", "", -1},
        {"the arrow keys move over the buttons", {VK_RIGHT}, Bar, "", "", -1},
        {"...", {VK_RIGHT}, Bar, "", "", -1},
        {"...", {VK_RIGHT}, Bar, "", "", -1},
        {"...", {VK_RIGHT}, Bar, "", "", -1},
        {"...", {VK_RIGHT}, Bar, "", "", -1},
        {"Enter presses すべて選択", {VK_RETURN}, Bar, "", "", 2},
        {"a history entry whose folder has gone", {VK_TAB}, SrcCombo, "", "", -1},
        {"...", {VK_DOWN}, SrcCombo, "", missing.c_str(), -1},
    };
    std::vector<PaneSeen> seen(std::size(cases));
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(ref, des, [&] {
        RunningMain().AddFolderHistory(PaneSide::Src, gone);
        RunningMain().AddFolderHistory(PaneSide::Src, ref);
        RemoveDirectoryA(gone.c_str());
    }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        PaneSeen& s = seen[i];
        steps.push_back([&, i] {
            if (!cases[i].Keys.empty()) PressKeys(cases[i].Keys);
            return true;
        });
        // Longer than the lists' type-ahead, so that each letter starts a new search.
        steps.push_back(Pause(1100));
        steps.push_back([&] {
            if (HWND box = FindCommonDialog()) {
                s.Box = BoxText(box);
                PressKeys({VK_RETURN});
            }
            return true;
        });
        steps.push_back(When(
            [] { return !FindCommonDialog(); },
            [&] {
                // A history box has the focus in its edit.
                for (Place place : {SrcCombo, SrcTree, SrcList, DesCombo, DesTree, DesList, Bar})
                    if (GetFocus() == HandleOf(place) || IsChild(HandleOf(place), GetFocus()))
                        s.Focus = place;
                s.SrcFolder = RunningMain().SrcFolderView.GetSelectedPath();
                s.SrcSelected = RunningMain().SrcFileView.SelCount();
            }));
    }
    ASSERT_EQ("", RunProgramWith(steps, 90000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const PaneKeyCase& c = cases[i];
        std::string name = std::to_string(i) + ": " + c.Name;
        EXPECT_EQ(c.Focus, seen[i].Focus) << name;
        EXPECT_EQ(c.Box, seen[i].Box) << name;
        if (c.SrcSelected >= 0) {
            EXPECT_EQ(c.SrcSelected, seen[i].SrcSelected) << name;
        }
        std::string folder = *c.SrcFolder ? top + "\\" + c.SrcFolder : top;
        EXPECT_TRUE(SamePath(folder, seen[i].SrcFolder)) << name << ": " << seen[i].SrcFolder;
    }
    ClearStore();
}
