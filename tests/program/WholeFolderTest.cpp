// The two folders compared whole, by every route a person takes to it: the records are
// the same whichever way, and they hold what only the target's top level holds.
#include "engine/FileEntries.h"
#include "tests/common/RealInput.h"
#include "tests/common/TimedSteps.h"
#include "tests/program/MainTestSupport.h"

#include <gtest/gtest.h>

namespace {
bool ActiveIs(const std::string& caption)
{
    HWND active = GetActiveWindow();
    return active && WindowText(active) == caption;
}

// Every record of the run, in order, as name, folder and the three codes.
std::vector<std::string> RecordsNow()
{
    std::vector<std::string> records;
    for (const FilePairEntry& e : FileEntries)
        records.push_back(e.Folder + e.Name + " " + std::to_string(e.DateResult) +
                          std::to_string(e.SizeResult) + std::to_string(e.ContentsResult));
    return records;
}

enum class Pick { All, None, One };

struct RouteCase {
    const char* Name;
    Pick Selection;                    // of the reference list before the command
    std::function<void()> Command;     // the person's input
    bool Whole;                        // expected: the folder whole, or the one item alone
};

struct RouteSeen {
    std::vector<std::string> Records;
    std::string Box;
};

void PressMenuKeys(std::vector<WORD> first, WORD item)
{
    PressKeys(first);
    PressKeys({item});
}
} // namespace

TEST(WholeFolder, EveryRouteComparesTheSameRecordsWithTheTargetsOwnTopLevel)
{
    ClearStore();
    TempFolder temp;
    const std::string ref = WithoutTrailingSlash(temp.MakeFolder("proj"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("backup"));
    for (const char* name : {"README.md", "src\\a.c", "src\\b.c"}) {
        SetLocalWriteTime(temp.WriteFile(std::string("proj\\") + name, "same"), 2024, 5, 1, 10, 0, 0);
        SetLocalWriteTime(temp.WriteFile(std::string("backup\\") + name, "same"), 2024, 5, 1, 10, 0,
                          0);
    }
    temp.WriteFile("proj\\src\\b.c", "changed");
    temp.WriteFile("proj\\new.txt", "only in the project");
    for (int i = 1; i <= 5; ++i)
        temp.WriteFile("backup\\old_旧版\\f" + std::to_string(i) + ".txt", "only in the backup");
    temp.WriteFile("backup\\extra.txt", "only in the backup");
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};
    WriteBool("Environment", "TargetOnly", true); // read at the start

    auto main = [] { return RunningMain().Handle; };
    auto src = [] { return RunningMain().SrcFileView.Handle; };
    const RouteCase cases[] = {
        {"every item selected, 比較 by the menu keys", Pick::All,
         [] { PressMenuKeys({VK_MENU, 'F'}, 'C'); }, true},
        {"nothing selected, 比較 by Ctrl+Enter", Pick::None,
         [] { PressKeys({VK_CONTROL, VK_RETURN}); }, true},
        {"one item selected, F9", Pick::One, [] { PressKeys({VK_F9}); }, true},
        {"one item selected, the toolbar's button", Pick::One,
         [] {
             HWND bar = RunningMain().ToolBar.Handle;
             ClickAt(bar, ToolBarButtonPoint(bar, WholeCompTButton));
         },
         true},
        {"one item selected, フォルダ全体を比較 by the menu keys", Pick::One,
         [] { PressMenuKeys({VK_MENU, 'F'}, 'W'); }, true},
        {"one item selected, 比較 compares that item alone", Pick::One,
         [] { PressKeys({VK_CONTROL, VK_RETURN}); }, false},
    };
    std::vector<RouteSeen> seen(std::size(cases));
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(ref, des, [] {}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RouteCase& c = cases[i];
        RouteSeen& s = seen[i];
        steps.push_back(When([&] { return GetActiveWindow() == main(); },
                             [&, c] {
                                 SetForegroundWindow(main());
                                 TFileView& list = RunningMain().SrcFileView;
                                 ClickAt(src(), ListItemPoint(src(), IndexOfCaption(list, "src")));
                                 if (c.Selection == Pick::All) PressKeys({VK_CONTROL, 'A'});
                             }));
        steps.push_back(When(
            [&, c] {
                int count = RunningMain().SrcFileView.SelCount();
                return c.Selection == Pick::All ? count == RunningMain().SrcFileView.ItemCount()
                                                : count == 1;
            },
            [&, c] {
                // Nothing selected: the list keeps the focus, its selection cleared.
                if (c.Selection == Pick::None) RunningMain().SrcFileView.SelectAll(false);
                c.Command();
            }));
        steps.push_back(When([] { return ActiveIs("結果") || FindCommonDialog(); },
                             [&] {
                                 if (HWND box = FindCommonDialog()) s.Box = BoxText(box);
                                 s.Records = RecordsNow();
                                 PressKeys({VK_ESCAPE});
                             }));
    }
    steps.push_back(When([&] { return GetActiveWindow() == main(); }, [] {}));
    ASSERT_EQ("", RunProgramWith(steps, 90000));

    // The folder's items, folders first, then what only the target's top level holds.
    const std::vector<std::string> whole = {
        "src\\ 000",           "src\\a.c 000",         "src\\b.c 432",
        "new.txt 543",          "README.md 000",         "extra.txt 655",
        "old_旧版\\ 655",      "old_旧版\\f1.txt 655", "old_旧版\\f2.txt 655",
        "old_旧版\\f3.txt 655", "old_旧版\\f4.txt 655", "old_旧版\\f5.txt 655"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RouteCase& c = cases[i];
        EXPECT_EQ("", seen[i].Box) << c.Name;
        if (c.Whole) {
            EXPECT_EQ(whole, seen[i].Records) << c.Name;
        } else {
            EXPECT_EQ((std::vector<std::string>{"src\\ 000", "src\\a.c 000", "src\\b.c 432"}),
                      seen[i].Records)
                << c.Name;
        }
    }
    ClearStore();
}

// A reference folder that cannot be compared whole says why, and nothing runs.
TEST(WholeFolder, SaysWhyAFolderCannotBeComparedWhole)
{
    ClearStore();
    TempFolder temp;
    const std::string gone = WithoutTrailingSlash(temp.MakeFolder("gone"));
    const std::string des = WithoutTrailingSlash(temp.MakeFolder("des"));
    temp.WriteFile("des\\a.txt", "a");
    SetCurrentDirectoryA(temp.Path.c_str());
    EnvSettings = TEnvSettings{};
    const std::string myComputer = "::{20d04fe0-3aea-1069-a2d8-08002b30309d}";

    struct Case {
        const char* Name;
        std::string Folder;          // the reference pane's folder
        std::function<void()> Input; // with nothing selected in its list
        std::string Box;
    };
    const std::string notFile =
        "「マイ コンピューター」はファイルシステムのフォルダではないため、全体を比較できません。"
        "\r\n比較するフォルダを開くか、項目を選択してください。";
    const Case cases[] = {
        {"My Computer, F9", myComputer, [] { PressKeys({VK_F9}); }, notFile},
        {"My Computer, nothing selected, Ctrl+Enter", myComputer,
         [] { PressKeys({VK_CONTROL, VK_RETURN}); }, notFile},
        {"a folder removed since it was opened, F9", gone,
         [&] {
             RemoveDirectoryA(gone.c_str());
             PressKeys({VK_F9});
         },
         "フォルダが見つかりません。\r\n" + gone},
    };
    std::vector<std::string> boxes(std::size(cases));
    std::vector<bool> resultShown(std::size(cases), false);
    auto main = [] { return RunningMain().Handle; };
    std::deque<std::function<bool()>> steps;
    steps.push_back(OnMainWindowAt(temp.Path, des, [] {}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back(When([&] { return GetActiveWindow() == main(); },
                             [&, i] {
                                 RunningMain().SrcFolderView.SelectPath(cases[i].Folder);
                                 RunningMain().SrcFileView.SetFocus();
                                 RunningMain().SrcFileView.SelectAll(false);
                                 cases[i].Input();
                             }));
        steps.push_back(When([] { return ActiveIs("結果") || FindCommonDialog(); },
                             [&, i] {
                                 resultShown[i] = ActiveIs("結果");
                                 if (HWND box = FindCommonDialog()) boxes[i] = BoxText(box);
                                 PressKeys({VK_ESCAPE});
                             }));
    }
    steps.push_back(When([&] { return GetActiveWindow() == main(); }, [] {}));
    ASSERT_EQ("", RunProgramWith(steps, 60000));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].Box, boxes[i]) << cases[i].Name;
        EXPECT_FALSE(resultShown[i]) << cases[i].Name;
    }
    ClearStore();
}
