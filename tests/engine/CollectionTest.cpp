#include "engine/Util.h"
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>
#include <windows.h>

namespace {
// A reference pane showing a fixed list of items.
struct ListedPane : ReferencePane {
    std::string SelectedPath;
    bool Virtual = false;
    std::vector<std::pair<std::string, bool>> Items; // caption, selected
    std::function<void()> WhileCollecting;           // runs when an item is read

    bool IsVirtualFolder() override { return Virtual; }
    std::string GetSelectedPath() override { return SelectedPath; }
    std::wstring GetSelectedRealPath() override { return {}; }
    int ItemCount() override { return static_cast<int>(Items.size()); }
    std::string ItemCaption(int index) override { return Items[index].first; }
    std::wstring ItemRealName(int) override { return {}; }
    bool ItemSelected(int index) override
    {
        if (WhileCollecting) WhileCollecting();
        return Items[index].second;
    }
};

using Record = std::pair<std::string, std::string>; // name, folder

std::vector<Record> Records()
{
    std::vector<Record> records;
    for (int i = 0; i < EntryCount; ++i)
        records.emplace_back(FileEntries[i].Name, FileEntries[i].Folder);
    return records;
}

// Starts a program in the given working folder. Wine does not wait for a Linux program.

// The temp folder's path without its trailing "\", as a tree gives it.
std::string TreePath(const TempFolder& temp)
{
    return temp.Path.substr(0, temp.Path.size() - 1);
}
} // namespace

TEST(CollectFiles, SelectedItemsInListOrderFoldersDepthFirst)
{
    TempFolder temp;
    temp.WriteFile("a.txt", "a");
    temp.WriteFile("src\\x.c", "x");
    temp.WriteFile("src\\lib\\y.c", "y");
    temp.WriteFile("src\\lib\\deeper\\z.c", "z");
    temp.WriteFile("src\\w.c", "w");
    temp.WriteFile("unselected.txt", "u");
    std::string hidden = temp.WriteFile("box\\hidden.txt", "h");
    std::string system = temp.WriteFile("box\\system.txt", "s");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((temp / "box").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    temp.MakeFolder("empty");

    ListedPane pane;
    pane.SelectedPath = TreePath(temp);
    pane.Items = {{"a.txt", true}, {"src", true},   {"unselected.txt", false},
                  {"box", true},   {"empty", true}, {"gone", true}};
    CollectFiles(pane);

    // Wine lists a folder sorted case-insensitively: lib, w.c, x.c.
    std::vector<Record> expected = {
        {"a.txt", ""},
        {"", "src\\"},
        {"lib\\", "src\\"},
        {"deeper\\", "src\\lib\\"},
        {"z.c", "src\\lib\\deeper\\"},
        {"y.c", "src\\lib\\"},
        {"w.c", "src\\"},
        {"x.c", "src\\"},
        {"", "box\\"},
        {"hidden.txt", "box\\"},
        {"system.txt", "box\\"},
        {"", "empty\\"},
        {"", "gone\\"}, // a caption naming nothing counts as a folder
    };
    EXPECT_EQ(Records(), expected);
    for (const FilePairEntry& e : FileEntries) {
        EXPECT_EQ(e.DateResult, dvSame);
        EXPECT_EQ(e.SizeResult, svSame);
        EXPECT_EQ(e.ContentsResult, cvSame);
    }
}

TEST(CollectFiles, DriveRootBaseAndJapaneseNames)
{
    TempFolder temp;
    // A folder whose name ends in the byte 0x5C must still be searched below.
    temp.WriteFile("表\\ソース.txt", "j");
    // The longest Japanese name Linux holds (255 bytes of UTF-8) is kept whole.
    std::string longName;
    for (int i = 0; i < 83; ++i)
        longName += "漢";
    longName += ".txt";
    ASSERT_TRUE(LookUpFile(temp.WriteFile("表\\" + longName, "l")).IsFile());
    ASSERT_EQ(temp.Path.substr(1, 2), ":\\");

    // The pane shows the drive root; the items are paths below it.
    ListedPane pane;
    pane.SelectedPath = temp.Path.substr(0, 3);
    std::string below = temp.Path.substr(3) + "表";
    pane.Items = {{below, true}};
    CollectFiles(pane);

    std::vector<Record> expected = {
        {"", below + "\\"}, {"ソース.txt", below + "\\"}, {longName, below + "\\"}};
    EXPECT_EQ(Records(), expected);
}

TEST(CollectFiles, VirtualFolderUsesCaptionsAsPathsOfTheCurrentFolder)
{
    TempFolder temp;
    temp.WriteFile("v\\f.txt", "f");
    std::vector<char> before(GetCurrentDirectoryA(0, nullptr) + 1);
    GetCurrentDirectoryA(static_cast<DWORD>(before.size()), before.data());
    ASSERT_TRUE(SetCurrentDirectoryA(temp.Path.c_str()));
    ListedPane pane;
    pane.Virtual = true;
    pane.SelectedPath = "ignored";
    pane.Items = {{"v", true}, {"nothing", true}, {":odd", true}};
    CollectFiles(pane);
    SetCurrentDirectoryA(before.data());
    std::vector<Record> expected = {
        {"", "v\\"}, {"f.txt", "v\\"}, {"", "nothing\\"}, {"", ":odd\\"}};
    EXPECT_EQ(Records(), expected);
}

TEST(CollectFiles, CapacityGrowsByTheThousandAndTheListStopsAtItsLimit)
{
    TempFolder temp;
    // Small folders: Wine looks every new name up in its whole folder.
    for (int folder = 0; folder < 12; ++folder) {
        std::string many = temp.MakeFolder("many\\" + std::to_string(folder));
        for (int i = 0; i < 100; ++i)
            CloseHandle(CreateFileA((many + std::to_string(i)).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    ReleaseEntries();
    ListedPane pane;
    pane.SelectedPath = TreePath(temp);
    pane.Items = {{"many", true}};
    CollectFiles(pane);
    EXPECT_EQ(EntryCount, 1213);
    EXPECT_EQ(FileEntries.capacity(), 2000u);
    EXPECT_FALSE(EntriesDropped);

    // Filling the list further: the capacity follows every thousandth record, no record
    // ever moves, the 200,001st record is kept and later ones are dropped.
    std::vector<const FilePairEntry*> placed;
    for (int i = 0; i < EntryCount; ++i)
        placed.push_back(&FileEntries[i]);
    int capacityOff = 0;
    while (EntryCount < MaxEntryCount + 1) {
        AddEntry("n", "");
        placed.push_back(&FileEntries.back());
        if (EntryCount % EntryGrowStep == 0)
            capacityOff += FileEntries.capacity() != size_t(EntryCount + EntryGrowStep);
    }
    EXPECT_EQ(capacityOff, 0);
    int moved = 0;
    for (int i = 0; i < EntryCount; ++i)
        moved += &FileEntries[i] != placed[i];
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(FileEntries[0].Folder, "many\\");
    EXPECT_FALSE(EntriesDropped);
    AddEntry("over", "");
    EXPECT_EQ(EntryCount, MaxEntryCount + 1);
    EXPECT_TRUE(EntriesDropped);
    EXPECT_EQ(FileEntries.back().Name, "n");

    // The next collection starts over.
    CollectFiles(pane);
    EXPECT_EQ(EntryCount, 1213);
    EXPECT_FALSE(EntriesDropped);
    ReleaseEntries();
}

TEST(CollectFiles, FolderLinksAreEnteredUnlessTheyLeadBackIntoTheWalk)
{
    TempFolder temp;
    temp.WriteFile("top\\inner\\file.txt", "f");
    temp.WriteFile("other\\o.txt", "o");
    // Wine's CreateSymbolicLinkA makes nothing; Linux's ln makes links Wine shows as 0x410.
    std::string inner = temp / "top\\inner\\";
    if (!RunLinuxShell(inner, "ln -s .. up; ln -s . self; ln -s ../../other ext", "ext"))
        GTEST_SKIP() << "cannot run ln";
    WaitForPath(inner + "up", true);
    WaitForPath(inner + "self", true);
    for (const char* link : {"top\\inner\\up", "top\\inner\\self", "top\\inner\\ext"})
        ASSERT_EQ(GetFileAttributesA((temp / link).c_str()),
                  DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
            << link;

    ListedPane pane;
    pane.SelectedPath = TreePath(temp);
    pane.Items = {{"top", true}};
    CollectFiles(pane);
    struct Row {
        Record record;
        bool notCompared;
    } expected[] = {{{"", "top\\"}, false},
                    {{"inner\\", "top\\"}, false},
                    {{"ext\\", "top\\inner\\"}, false}, // a link out of the walk is entered
                    {{"o.txt", "top\\inner\\ext\\"}, false},
                    {{"file.txt", "top\\inner\\"}, false},
                    {{"self\\", "top\\inner\\"}, true}, // back into the walk: not entered
                    {{"up\\", "top\\inner\\"}, true}};
    ASSERT_EQ(std::size(expected), Records().size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(expected[i].record, Records()[i]) << i;
        EXPECT_EQ(expected[i].notCompared, FileEntries[i].NotCompared) << i;
    }
    EXPECT_EQ(2, LoopedLinkCount);
    EXPECT_EQ(2, UncomparedCount);
    RunLinuxShell(inner, "rm up self ext", "");
    WaitForPath(inner + "up", false);
    WaitForPath(inner + "ext", false);
}

TEST(CollectFiles, SearchWindowShowsWhileCollectingAndLeavesNothingBehind)
{
    TempFolder temp;
    temp.WriteFile("one.txt", "1");
    temp.WriteFile("two.txt", "2");

    struct Stand : Form {
    } mainWindow;
    FormArgs args;
    args.Caption = "main";
    args.Width = 200;
    args.Height = 100;
    ASSERT_TRUE(mainWindow.CreateForm(args));
    Application.MainWindow = mainWindow.Handle;

    ListedPane pane;
    pane.SelectedPath = TreePath(temp);
    pane.Items = {{"one.txt", true}, {"two.txt", true}};
    bool sawWindow = false, mainDisabled = false, topMost = false;
    std::string searchingText;
    std::vector<std::pair<int, std::string>> shown; // bar, number, as each item is read
    SIZE client{};
    pane.WhileCollecting = [&] {
        HWND search = FindWindowA(FormClassName, "ファイルの検索");
        if (!search) return;
        sawWindow = IsWindowVisible(search) != FALSE;
        mainDisabled = !IsWindowEnabled(mainWindow.Handle);
        topMost = (GetWindowLongA(search, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        RECT r;
        GetClientRect(search, &r);
        client = {r.right, r.bottom};
        HWND searching = FindWindowExA(search, nullptr, "STATIC", nullptr);
        HWND number = FindWindowExA(search, searching, "STATIC", nullptr);
        HWND bar = FindWindowExA(search, nullptr, PROGRESS_CLASSA, nullptr);
        char text[64] = "";
        GetWindowTextA(searching, text, sizeof text);
        searchingText = text;
        GetWindowTextA(number, text, sizeof text);
        shown.emplace_back(static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)), text);
        EXPECT_FALSE(GetWindowLongA(search, GWL_STYLE) & WS_SYSMENU);
    };
    CollectFiles(pane);
    Application.MainWindow = nullptr;

    EXPECT_TRUE(sawWindow);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(topMost);
    EXPECT_EQ(client.cx, 353);
    EXPECT_EQ(client.cy, 70);
    EXPECT_EQ(searchingText, "ファイルを検索中...");
    std::vector<std::pair<int, std::string>> expected = {{0, "0"}, {50, "1"}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(FindWindowA(FormClassName, "ファイルの検索"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(mainWindow.Handle));
    EXPECT_EQ(EntryCount, 2);
}

// A test that needs an outside program says which one is missing, never a symptom.
TEST(OutsidePrograms, MissingOneIsNamed)
{
    EXPECT_EQ(MissingLinuxProgram("sh"), "");
    EXPECT_EQ(MissingLinuxProgram("vexil-no-such-tool"),
              "vexil-no-such-tool is not installed: run scripts/setup.sh");
}
