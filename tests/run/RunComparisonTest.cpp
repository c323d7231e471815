#include "engine/Util.h"
#include "tests/common/TempFolder.h"
#include "tests/run/RunFakes.h"

#include <gtest/gtest.h>

namespace {
struct RunComparisonTest : ::testing::Test {
    SettingsRestorer settings;
    TempFolder src, des;
    RecordingView view;

    void SetUp() override
    {
        EnvSettings.CompDate = EnvSettings.CompSize = EnvSettings.CompContents = true;
        EnvSettings.ProgTime = true;
        ResetEntries();
    }
    void TearDown() override { ReleaseEntries(); }

    void Run() { RunComparison(WithoutSlash(src.Path), WithoutSlash(des.Path), view); }
    const FilePairEntry& Entry(int i) const { return FileEntries[static_cast<size_t>(i)]; }
};

void ExpectCodes(const FilePairEntry& e, int date, int size, int contents)
{
    EXPECT_EQ(date, e.DateResult) << e.Folder << e.Name;
    EXPECT_EQ(size, e.SizeResult) << e.Folder << e.Name;
    EXPECT_EQ(contents, e.ContentsResult) << e.Folder << e.Name;
}
} // namespace

TEST_F(RunComparisonTest, UpdatesComeInTheirOrderAndTheMainWindowIsBackAfterwards)
{
    MainWindowStandIn main;
    src.WriteFile("a.txt", "same");
    des.WriteFile("a.txt", "same");
    SetLocalWriteTime(src / "a.txt", 2020, 5, 1, 10, 0, 0);
    SetLocalWriteTime(des / "a.txt", 2020, 5, 1, 10, 0, 0);
    AddEntry("a.txt", "");
    MismatchCount = 7;
    RunCancelled = true;

    Run();

    std::vector<std::string> expected = {"Open",
                                         "Timer on",
                                         "ProgTime 0:00:00",
                                         "Show",
                                         "NotSame 0 / 1",
                                         "Bar 0",
                                         "Cancel?",
                                         "Src " + src.Path + "a.txt",
                                         "Des " + des.Path + "a.txt",
                                         "FileNum 1 / 1",
                                         "Progress 0",
                                         "ProgDisp 0%",
                                         "Progress 100",
                                         "ProgDisp 100%",
                                         "NotSame 0 / 1",
                                         "Close"};
    EXPECT_EQ(expected, view.Calls);
    ExpectCodes(Entry(0), dvSame, svSame, cvSame);
    EXPECT_EQ(0, MismatchCount);
    EXPECT_FALSE(RunCancelled);
    // The loop itself touches no window: disabling the main window is the real view's job.
    EXPECT_TRUE(view.MainEnabledWhileOpen);
    EXPECT_TRUE(main.Enabled());
}

TEST_F(RunComparisonTest, CancelDuringTheFirstContentsCheckStopsAtTheSecondRecord)
{
    src.WriteFile("1.txt", "reference");
    des.WriteFile("1.txt", "reference, longer");
    src.WriteFile("2.txt", "x");
    AddEntry("1.txt", "");
    AddEntry("2.txt", "");
    view.CancelOnContents = true;

    Run();

    EXPECT_TRUE(RunCancelled);
    EXPECT_EQ(svLarger, Entry(0).SizeResult);
    EXPECT_EQ(cvDiffer, Entry(0).ContentsResult);
    ExpectCodes(Entry(1), 1, 1, 1); // its target is missing, but it was never compared
    EXPECT_EQ(0, UncomparedCount);
    EXPECT_EQ(1, MismatchCount);
    EXPECT_EQ(std::vector<std::string>{"FileNum 1 / 2"}, view.Starting("FileNum"));
    EXPECT_EQ((std::vector<std::string>{"Bar 0", "Bar 50"}), view.Starting("Bar"));
    EXPECT_EQ("Close", view.Calls.back());
}

TEST_F(RunComparisonTest, SwitchedOffChecksGiveOneEverywhereAndNoMismatch)
{
    src.WriteFile("a", "1");
    des.WriteFile("a", "22");
    src.WriteFile("b", "only here");
    src.WriteFile("c", "x");
    des.WriteFile("c", "y");
    AddEntry("a", "");
    AddEntry("b", "");
    AddEntry("c", "");
    EnvSettings.CompDate = EnvSettings.CompSize = EnvSettings.CompContents = false;

    Run();

    for (int i = 0; i < 3; ++i)
        ExpectCodes(Entry(i), 1, 1, 1);
    EXPECT_EQ(0, MismatchCount);
    EXPECT_TRUE(view.Starting("Progress").empty());
    EXPECT_EQ("NotSame 0 / 3", view.Starting("NotSame").back());
}

TEST_F(RunComparisonTest, OnlySwitchedOnChecksRunAndEachMismatchCountsOnce)
{
    src.WriteFile("a", "12345");
    des.WriteFile("a", "1234");
    SetLocalWriteTime(src / "a", 2020, 5, 1, 10, 0, 0);
    SetLocalWriteTime(des / "a", 2021, 5, 1, 10, 0, 0);
    AddEntry("a", "");
    EnvSettings.CompSize = false;

    Run();

    ExpectCodes(Entry(0), dvNewer, svNotCompared, cvDiffer);
    EXPECT_EQ(1, MismatchCount);
    EXPECT_EQ((std::vector<std::string>{"NotSame 0 / 1", "NotSame 1 / 1"}),
              view.Starting("NotSame"));
}

TEST_F(RunComparisonTest, RecordsThatCannotBeReachedReadNotComparedAndAreCounted)
{
    src.WriteFile("a", "1");
    des.WriteFile("a", "1");
    src.MakeFolder("dir");
    des.MakeFolder("dir");
    AddEntry("", "dir\\");     // a folder the target has keeps its codes 0
    AddEntry("gone", "");      // the reference has gone since collection
    AddEntry("", "gonedir\\"); // and so has this folder
    AddEntry("q?", "");        // the platform cannot look this name up
    AddEntry("a", "");         // marked already, as collection may: left alone
    MarkNotCompared(FileEntries[4]);
    MarkNotCompared(FileEntries[4]);

    Run();

    ExpectCodes(Entry(0), 0, 0, 0);
    for (int i = 1; i < 5; ++i)
        ExpectCodes(Entry(i), 1, 1, 1);
    EXPECT_EQ(4, UncomparedCount);
    EXPECT_EQ(0, MismatchCount);
    EXPECT_TRUE(view.Starting("Progress").empty());

    // A target the platform cannot look up is not "not found" either.
    ResetEntries();
    AddEntry("a", "");
    RunComparison(src.Path, des.Path + "?", view);
    ExpectCodes(Entry(0), 1, 1, 1);
    EXPECT_EQ(1, UncomparedCount);
}

TEST_F(RunComparisonTest, SelectedFolderOfThreeFilesGivesFourRecordsAndItsOwnIsNotCompared)
{
    src.WriteFile("dir\\one.txt", "1");
    src.WriteFile("dir\\two.txt", "2");
    src.WriteFile("dir\\three.txt", "3");
    FolderPane pane;
    pane.Folder = WithoutSlash(src.Path);
    pane.Add("dir");
    CollectFiles(pane);
    ASSERT_EQ(4, EntryCount);

    Run(); // the target has no "dir" at all

    EXPECT_EQ((std::vector<std::string>{"FileNum 1 / 4", "FileNum 2 / 4", "FileNum 3 / 4",
                                        "FileNum 4 / 4"}),
              view.Starting("FileNum"));
    EXPECT_EQ((std::vector<std::string>{"Bar 0", "Bar 25", "Bar 50", "Bar 75"}),
              view.Starting("Bar"));
    // The folder's own record says the target has no such folder.
    EXPECT_EQ("", Entry(0).Name);
    for (int i = 0; i < 4; ++i)
        ExpectCodes(Entry(i), dvNotFound, svNotFound, cvNotFound);
    EXPECT_EQ(4, MismatchCount);
    EXPECT_EQ("Src " + src.Path + "dir\\", view.Starting("Src").front());
}

TEST_F(RunComparisonTest, ElapsedTimeSwitchedOffLeavesItsTextEmpty)
{
    src.WriteFile("a", "1");
    AddEntry("a", "");
    EnvSettings.ProgTime = false;

    Run();

    EXPECT_EQ("", view.ProgTimeText);
    EXPECT_EQ((std::vector<std::string>{"Timer off"}), view.Starting("Timer"));
    EXPECT_EQ((std::vector<std::string>{"ProgTime "}), view.Starting("ProgTime"));
}

TEST_F(RunComparisonTest, BasesFollowTheSelectedPaths)
{
    src.WriteFile("a", "1");
    // A special folder has no base: the record's folder is the whole path.
    AddEntry("a", src.Path);
    RunComparison(std::string("ﾏｲ ｺﾝﾋﾟｭｰﾀ"), std::string("ﾃﾞｽｸﾄｯﾌﾟ"), view);
    EXPECT_EQ("Src " + src.Path + "a", view.Starting("Src").front());
    EXPECT_EQ("Des " + src.Path + "a", view.Starting("Des").front());
    ExpectCodes(Entry(0), dvSame, svSame, cvSame);

    // So has a folder without a file-system path, whatever its path text.
    view.Calls.clear();
    const SelectedFolder myComputer{"::{20d04fe0-3aea-1069-a2d8-08002b30309d}", true};
    RunComparison(myComputer, myComputer, view);
    EXPECT_EQ("Src " + src.Path + "a", view.Starting("Src").front());
    ExpectCodes(Entry(0), dvSame, svSame, cvSame);

    // An empty path gives an empty base too; a drive root keeps its one "\".
    view.Calls.clear();
    ResetEntries();
    AddEntry("x", "sub\\");
    RunComparison(std::string(), std::string("D:\\"), view);
    EXPECT_EQ("Src sub\\x", view.Starting("Src").front());
    EXPECT_EQ("Des D:\\sub\\x", view.Starting("Des").front());
}

TEST_F(RunComparisonTest, FailureInsideAContentsCheckStillClosesTheWindowAndEnablesTheMain)
{
    MainWindowStandIn main;
    src.WriteFile("a", "1");
    des.WriteFile("a", "1");
    AddEntry("a", "");
    view.ThrowOnContents = true;

    EXPECT_THROW(Run(), IoFailure);

    EXPECT_EQ("Close", view.Calls.back());
    EXPECT_TRUE(main.Enabled());
}
