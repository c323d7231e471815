// Folders made or removed while the program runs, as a person meets them: F5 in a list
// shows them in the list and the tree, a folder the tree read before it was made still
// opens, and a folder removed while open leaves the pane on its parent.
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
// The captions of the children of the tree node that holds the reference folder "ref".
std::vector<std::string> RefChildren()
{
    TFolderView& tree = RunningMain().SrcFolderView;
    for (HTREEITEM node = tree.Selected(); node; node = TreeView_GetParent(tree.Handle, node)) {
        if (tree.NodeText(node) != "ref") continue;
        std::vector<std::string> names;
        for (HTREEITEM child : tree.Children(node))
            names.push_back(tree.NodeText(child));
        return names;
    }
    return {};
}

struct RefreshCase {
    const char* Name;
    std::function<void()> Change;      // on the disk, before the keys
    std::vector<std::vector<WORD>> Keys; // each held together, one after another
    const char* Folder;                // the reference pane's folder afterwards, under the test's
    std::vector<std::string> TreeRef;  // the tree's folders under "ref" afterwards
};
} // namespace

TEST(TreeRefresh, FoldersMadeOrRemovedWhileTheProgramRuns)
{
    ClearStore();
    TempFolder temp;
    const std::string top = WithoutTrailingSlash(temp.Path);
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("ref"));
    temp.MakeFolder("ref\\a");
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};

    const RefreshCase cases[] = {
        {"opening a and going back reads ref's folders", [] {},
         {{'A'}, {VK_RETURN}, {VK_BACK}}, "ref", {"a"}},
        {"a folder made since: F5 shows it in the list and the tree, Enter opens it",
         [&] { temp.MakeFolder("ref\\new"); },
         {{VK_F5}, {'N'}, {VK_RETURN}}, "ref\\new", {"a", "new"}},
        {"made since, no F5: the list of the parent shows it and Enter opens it",
         [&] { temp.MakeFolder("ref\\second"); },
         {{VK_BACK}, {'S'}, {VK_RETURN}}, "ref\\second", {"a", "new", "second"}},
        {"the open folder removed: F5 goes to its parent",
         [&] { RemoveDirectoryA((temp / "ref\\second").c_str()); }, {{VK_F5}}, "ref",
         {"a", "new"}},
    };
    std::vector<std::string> folders(std::size(cases));
    std::vector<std::vector<std::string>> trees(std::size(cases));
    std::vector<bool> boxes(std::size(cases), false);
    auto src = [] { return RunningMain().SrcFileView.Handle; };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(ref, des, [&] {
        SetForegroundWindow(RunningMain().Handle);
        ClickAt(src(), ListItemPoint(src(), 0));
    }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back([&, i] {
            cases[i].Change();
            return true;
        });
        for (const std::vector<WORD>& keys : cases[i].Keys) {
            steps.push_back([keys] {
                PressKeys(keys);
                return true;
            });
            // Longer than the list's type-ahead, so that each letter starts a new search.
            steps.push_back(Pause(1100));
        }
        // The keys' effect, or what there is after a while.
        auto waited = std::make_shared<DWORD>(0);
        steps.push_back([&, i, waited] {
            if (!*waited) *waited = GetTickCount();
            folders[i] = RunningMain().SrcFolderView.GetSelectedPath();
            trees[i] = RefChildren();
            boxes[i] = FindCommonDialog() != nullptr;
            bool done = SamePath(top + "\\" + cases[i].Folder, folders[i]) &&
                        trees[i] == cases[i].TreeRef;
            if (!done && !boxes[i] && GetTickCount() - *waited < 5000) return false;
            if (boxes[i]) PressKeys({VK_RETURN});
            return true;
        });
    }
    ASSERT_EQ("", RunProgramWith(steps, 60000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RefreshCase& c = cases[i];
        EXPECT_TRUE(SamePath(top + "\\" + c.Folder, folders[i])) << c.Name << ": " << folders[i];
        EXPECT_EQ(c.TreeRef, trees[i]) << c.Name;
        EXPECT_FALSE(boxes[i]) << c.Name;
    }
    ClearStore();
}
