// Both sides of a pair: what only the target holds, what the masks leave out, and trees
// whose names, links and folders once read as matches although nothing was compared.
#include "engine/Util.h"
#include "results/ResultExport.h"
#include "results/VerdictText.h"
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "tests/run/RunFakes.h"

#include <gtest/gtest.h>
#include <map>

namespace {
struct TargetSideTest : ::testing::Test {
    SettingsRestorer settings;
    TempFolder src, des;
    RecordingView view;

    void SetUp() override
    {
        // Both sides are written within moments of each other; times are not the point.
        EnvSettings = TEnvSettings{};
        EnvSettings.CompDate = false;
        ResetEntries();
    }
    void TearDown() override { ReleaseEntries(); }

    // Collects the selected items of the reference folder and runs the comparison.
    void Run(std::initializer_list<const char*> selected)
    {
        FolderPane pane;
        pane.Folder = WithoutSlash(src.Path);
        for (const char* item : selected)
            pane.Add(std::string(item));
        CollectFiles(pane);
        RunComparison(WithoutSlash(src.Path), WithoutSlash(des.Path), view);
    }
    // Folder + name of each record -> its three verdict texts.
    static std::map<std::string, std::string> Rows()
    {
        std::map<std::string, std::string> rows;
        for (const FilePairEntry& e : FileEntries)
            rows[e.Folder + e.Name] = DateVerdictText(e.DateResult) + " " +
                                      SizeVerdictText(e.SizeResult) + " " +
                                      ContentsVerdictText(e.ContentsResult);
        return rows;
    }
    // Makes files by Linux names the Win32 layer refuses ("a*b").
    bool LinuxFiles(TempFolder& side, const std::string& folder, const std::string& command,
                    const std::string& made)
    {
        side.MakeFolder(folder);
        return RunLinuxShell(side / folder, command, made);
    }
};

// The date check is off: "－" on folder rows as on files.
const std::string Same = "－ 一致 一致", Differ = "－ 一致 不一致",
                  Missing = "－ 見つからない 見つからない", NotCompared = "－ － －",
                  FolderThere = "－ 一致 一致", NoReference = "基準なし 基準なし 基準なし";
} // namespace

TEST_F(TargetSideTest, HostileNamesLinksAndMissingFoldersNeverReadAsMatches)
{
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile("sel\\t", "AAAA");
        side->WriteFile(L"sel\\g ", side == &src ? "1" : "2");
        side->WriteFile(L"sel\\Acme Inc.\\in.txt", side == &src ? "1" : "2");
        side->WriteFile(L"sel\\CON", side == &src ? "1" : "2");
        side->WriteFile("sel\\there\\k.txt", "k");
        side->WriteFile("outside\\o.txt", side == &src ? "1" : "2");
    }
    src.WriteFile(L"sel\\t.", "BBBB"); // beside "t": "t." must not read "t"
    des.WriteFile(L"sel\\t.", "CCCC");
    src.WriteFile(L"sel\\u.", "U"); // missing from the target, which has "u"
    des.WriteFile("sel\\u", "U");
    src.WriteFile("sel\\gone\\x.txt", "x"); // a folder the target lacks
    src.MakeFolder("sel\\empty");           // an empty one too
    src.MakeFolder("sel\\file");            // the target has a file of that name
    des.WriteFile("sel\\file", "f");
    if (!LinuxFiles(src, "sel", "printf 1 > 'a*b'; ln -s ../outside out; ln -s .. up", "up") ||
        !LinuxFiles(des, "sel", "printf 1 > 'a*b'; ln -s ../outside out", "out") ||
        !RunLinuxShell(src.Path, "printf 1 > 'q*r'", "q*r"))
        GTEST_SKIP() << "cannot run the Linux shell";

    Run({"sel", "q*r"});

    std::map<std::string, std::string> expected{
        {"sel\\", FolderThere},
        {"sel\\t", Same},
        {"sel\\t.", Differ},
        {"sel\\u.", Missing},
        {"sel\\g ", Differ},
        {"sel\\Acme Inc.\\", FolderThere},
        {"sel\\Acme Inc.\\in.txt", Differ},
        {"sel\\CON", Differ},
        {"sel\\there\\", FolderThere},
        {"sel\\there\\k.txt", Same},
        {"sel\\gone\\", Missing},
        {"sel\\gone\\x.txt", Missing},
        {"sel\\empty\\", Missing},
        {"sel\\file\\", Missing},
        {"sel\\a*b", NotCompared},   // no path reaches it: counted, never opened
        {"sel\\out\\", FolderThere}, // a link inside the selection is entered
        {"sel\\out\\o.txt", Differ},
        {"sel\\up\\", NotCompared}, // leads back into the walk: not entered
        {"q*r", NotCompared},       // a file, not an unreadable folder
    };
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ(3, UncomparedCount);
    EXPECT_EQ(1, LoopedLinkCount);
    EXPECT_EQ(0, UnreadableFolderCount);
    EXPECT_NE(std::string::npos, UncomparedNoticeText().find("リンクが1個"))
        << UncomparedNoticeText();
    RunLinuxShell(src / "sel", "rm out up", "");
    RunLinuxShell(des / "sel", "rm out", "");
    WaitForPath(src / "sel\\up", false);
    WaitForPath(des / "sel\\out", false);
}

TEST_F(TargetSideTest, TargetOnlyRecordsAtEveryDepthPairedByRealNameWithoutCase)
{
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile("sel\\a.txt", "a");
        side->WriteFile("sel\\sub\\b.txt", "b");
    }
    src.WriteFile("sel\\Readme.TXT", "r");
    des.WriteFile("sel\\readme.txt", "r"); // the same file to the platform
    src.WriteFile("top.txt", "t");         // selected, missing from the target
    des.WriteFile("sel\\extra.txt", "e");
    des.WriteFile("sel\\sub\\c.txt", "c");
    des.WriteFile("sel\\new\\x.txt", "x");
    des.WriteFile("sel\\new\\deep\\y.txt", "y");
    des.MakeFolder("sel\\emptynew");
    des.WriteFile(L"sel\\\xD55C.txt", "k"); // 한.txt
    des.WriteFile("notselected.txt", "n");  // beside the selection: not looked at

    struct Case {
        bool targetOnly;
        std::map<std::string, std::string> extra; // rows beyond those of both sides
    } cases[] = {
        {false, {}},
        {true,
         {{"sel\\extra.txt", NoReference},
          {"sel\\sub\\c.txt", NoReference},
          {"sel\\new\\", NoReference},
          {"sel\\new\\x.txt", NoReference},
          {"sel\\new\\deep\\", NoReference},
          {"sel\\new\\deep\\y.txt", NoReference},
          {"sel\\emptynew\\", NoReference},
          {"sel\\?.txt", NoReference}}},
    };
    for (const Case& c : cases) {
        ResetEntries();
        EnvSettings.TargetOnly = c.targetOnly;
        Run({"sel", "top.txt"});
        std::map<std::string, std::string> expected{
            {"sel\\", FolderThere},      {"sel\\a.txt", Same},      {"sel\\Readme.TXT", Same},
            {"sel\\sub\\", FolderThere}, {"sel\\sub\\b.txt", Same}, {"top.txt", Missing}};
        expected.insert(c.extra.begin(), c.extra.end());
        EXPECT_EQ(expected, Rows()) << "target only " << c.targetOnly;
        EXPECT_EQ(static_cast<int>(1 + c.extra.size()), MismatchCount) << c.targetOnly;
        EXPECT_EQ(static_cast<int>(expected.size()), EntryCount) << c.targetOnly;
    }
    // A name outside the code page keeps its real name, so the row names that file.
    for (const FilePairEntry& e : FileEntries)
        if (e.Name == "?.txt") {
            EXPECT_EQ(L"sel\\\xD55C.txt", e.RealPath);
        }
}

TEST_F(TargetSideTest, MasksLeaveThingsOutOnBothSidesAndTheNoticeSaysHowMany)
{
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile("sel\\keep.txt", "k");
        side->WriteFile("sel\\x.obj", side == &src ? "1" : "2");
        side->WriteFile("sel\\bin\\y.txt", side == &src ? "1" : "2");
        side->WriteFile("sel\\Thumbs.db", side == &src ? "1" : "2");
        side->WriteFile("top.obj", side == &src ? "1" : "2");
    }
    des.WriteFile("sel\\z.OBJ", "only here");
    des.WriteFile("sel\\bin\\q.txt", "only here");
    EnvSettings.ExcludeMasks = {L"*.obj", L"bin\\", L"thumbs.db"};
    EnvSettings.TargetOnly = true;

    struct Case {
        bool excludeFlag;
        std::map<std::string, std::string> rows;
        int reference, target; // left out on each side
    } cases[] = {
        {true,
         {{"sel\\", FolderThere}, {"sel\\keep.txt", Same}},
         4,  // x.obj, bin\, Thumbs.db, and top.obj although selected
         4}, // x.obj, bin\, Thumbs.db, and z.OBJ only in the target
        {false,
         {{"sel\\", FolderThere},
          {"sel\\keep.txt", Same},
          {"sel\\x.obj", Differ},
          {"sel\\bin\\", FolderThere},
          {"sel\\bin\\y.txt", Differ},
          {"sel\\bin\\q.txt", NoReference},
          {"sel\\Thumbs.db", Differ},
          {"sel\\z.OBJ", NoReference},
          {"top.obj", Differ}},
         0,
         0},
    };
    for (const Case& c : cases) {
        ResetEntries();
        EnvSettings.ExcludeFlag = c.excludeFlag;
        Run({"sel", "top.obj"});
        EXPECT_EQ(c.rows, Rows()) << "exclusion " << c.excludeFlag;
        EXPECT_EQ(c.reference, ExcludedCount) << c.excludeFlag;
        EXPECT_EQ(c.target, ExcludedTargetCount) << c.excludeFlag;
        std::string notice = UncomparedNoticeText();
        EXPECT_EQ(c.excludeFlag, notice.find("基準で" + std::to_string(c.reference) + "個、対象で" +
                                             std::to_string(c.target) + "個除きました") !=
                                     std::string::npos)
            << notice;
    }
}

TEST_F(TargetSideTest, CsvBytesAreTodaysWithTheOptionsOffAndGainTargetOnlyRowsWhenOn)
{
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile("sel\\a.txt", "same");
        side->WriteFile("sel\\b.txt", side == &src ? "1" : "2");
        side->WriteFile("sel\\sub\\d.txt", side == &src ? "1" : "22");
    }
    src.WriteFile("sel\\c.txt", "c");
    des.WriteFile("sel\\extra.txt", "e");
    des.WriteFile("sel\\sub\\e.txt", "e");
    EnvSettings.ExcludeMasks = {L"*.txt"}; // stored, but exclusion is off

    const std::string header = "ファイル名,日付,サイズ,内容\r\n";
    const std::string base = src.Path + "sel\\";
    // What only the target holds is named by its own path.
    const std::string desBase = des.Path + "sel\\";
    const std::string today = header + base + "b.txt,－,一致,不一致\r\n" + base +
                              "c.txt,－,見つからない,見つからない\r\n" + base +
                              "sub\\d.txt,－,大きい,不一致\r\n";
    const std::string withTargetOnly = header + base + "b.txt,－,一致,不一致\r\n" + base +
                                       "c.txt,－,見つからない,見つからない\r\n" + base +
                                       "sub\\d.txt,－,大きい,不一致\r\n" + desBase +
                                       "sub\\e.txt,基準なし,基準なし,基準なし\r\n" + desBase +
                                       "extra.txt,基準なし,基準なし,基準なし\r\n";
    for (bool targetOnly : {false, true}) {
        ResetEntries();
        EnvSettings.TargetOnly = targetOnly;
        Run({"sel"});
        ResultRows rows = ListedRows(FileEntries, EntryCount, EnvSettings.DispDiscord);
        SortResultRows(rows, rcName, 1);
        EXPECT_EQ(targetOnly ? withTargetOnly : today,
                  ExportText(RunFolders{WithoutSlash(src.Path), WithoutSlash(des.Path)}, rows))
            << "target only " << targetOnly;
    }
}

// Selected items are paired through the target folder's listing too: the exact name of
// several that differ only in case, none of them guessed. A folder that cannot be read
// reads "－", and what its target holds is not taken for the target's own.
TEST_F(TargetSideTest, CaseVariantsAndUnreadFoldersNeverReadAsMatchesNorAsTheTargetsOwn)
{
    src.WriteFile("readme.txt", "same");
    src.WriteFile("mixed.txt", "m");
    src.WriteFile("sel\\locked\\in.txt", "i");
    des.WriteFile("sel\\locked\\in.txt", "i");
    des.WriteFile("sel\\locked\\only.txt", "o");
    if (!RunLinuxShell(des.Path,
                       "printf same > readme.txt && printf other! > README.TXT && "
                       "printf m > MIXED.TXT && printf m > Mixed.txt && touch done",
                       "done"))
        GTEST_SKIP() << "cannot run the Linux shell";
    // Held without sharing, the folder cannot be listed.
    HANDLE locked = CreateFileA((src / "sel\\locked").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    for (bool targetOnly : {false, true}) {
        ResetEntries();
        EnvSettings.TargetOnly = targetOnly;
        Run({"readme.txt", "mixed.txt", "sel"});
        std::map<std::string, std::string> expected{{"readme.txt", Same},
                                                    {"mixed.txt", NotCompared},
                                                    {"sel\\", FolderThere},
                                                    {"sel\\locked\\", NotCompared}};
        EXPECT_EQ(expected, Rows()) << "target only " << targetOnly;
        EXPECT_EQ(1, CaseVariantCount);
        EXPECT_EQ(1, UnreadableFolderCount);
        EXPECT_NE(std::string::npos, UncomparedNoticeText().find("大文字と小文字だけが違う"));
    }
    CloseHandle(locked);
    RunLinuxShell(des.Path, "rm -f readme.txt README.TXT MIXED.TXT Mixed.txt done", "");
    WaitForPath(des / "done", false);
}

// What only the target holds is named by the target's path in the progress window, and
// the run keeps both sides' sizes and times with the records for the result window.
TEST_F(TargetSideTest, TargetOnlyRowsNameTheTargetAndRecordsKeepBothSidesFacts)
{
    src.WriteFile("sel\\both.txt", "1");
    des.WriteFile("sel\\both.txt", "22");
    src.WriteFile("sel\\gone.txt", "333");
    des.WriteFile("sel\\new.txt", "4444");
    EnvSettings.TargetOnly = true;
    Run({"sel"});
    struct Expected {
        const char* Record;
        bool Reference, Target;
        int64_t Size, TargetSize;
        const char* SrcShown; // the progress window's 基準ファイル, "" for none
        std::string DesShown;
    } expected[] = {
        {"sel\\both.txt", true, true, 1, 2, "sel\\both.txt", des.Path + "sel\\both.txt"},
        {"sel\\gone.txt", true, false, 3, 0, "sel\\gone.txt", des.Path + "sel\\gone.txt"},
        {"sel\\new.txt", false, true, 0, 4, nullptr, des.Path + "sel\\new.txt"},
    };
    for (const Expected& x : expected) {
        const FilePairEntry* found = nullptr;
        size_t shownAt = 0;
        for (const FilePairEntry& e : FileEntries)
            if (e.Folder + e.Name == x.Record) found = &e;
        ASSERT_NE(found, nullptr) << x.Record;
        EXPECT_EQ(x.Reference && !found->TargetOnly, found->HasFacts && !found->TargetOnly)
            << x.Record;
        EXPECT_EQ(x.Target, found->HasTargetFacts) << x.Record;
        if (x.Reference) {
            EXPECT_EQ(x.Size, found->Size) << x.Record;
        }
        if (x.Target) {
            EXPECT_EQ(x.TargetSize, found->TargetSize) << x.Record;
            EXPECT_NE(0u, found->TargetLastWrite) << x.Record;
        }
        // The reference path shown just before the target path of this record.
        const std::string des = "Des " + x.DesShown;
        for (size_t i = 1; i < view.Calls.size(); ++i)
            if (view.Calls[i] == des) shownAt = i;
        ASSERT_GT(shownAt, 0u) << x.Record;
        EXPECT_EQ(x.SrcShown ? "Src " + src.Path + x.SrcShown : std::string("Src "),
                  view.Calls[shownAt - 1])
            << x.Record;
    }
}

// Masks apply at every level, the selected items included (Ctrl+A selects "bin" and "obj"
// too); one without "\" matches files and folders alike, one with it folders only. The
// end of the run counts what was left out on each side, and with TargetOnly off what
// only the target holds.
TEST_F(TargetSideTest, MasksApplyAtEveryLevelAndTheEndCountsEachSide)
{
    for (TempFolder* side : {&src, &des}) {
        side->WriteFile("bin\\y.txt", "y");
        side->MakeFolder("obj");
        side->WriteFile("x.obj", "x");
        side->WriteFile("keep.txt", "k");
        side->WriteFile("sel\\bin\\z.txt", "z");
        side->WriteFile("sel\\a.obj", "a");
        side->WriteFile("sel\\keep.txt", "k");
        side->WriteFile("sel\\build\\b.txt", "b");
        side->WriteFile("sel\\build.log", "l");
    }
    des.WriteFile("sel\\only.txt", "o");
    des.WriteFile("sel\\onlydir\\q.txt", "q");
    des.WriteFile("extra.obj", "beside the selection: not looked at");
    const std::map<std::string, std::string> all{
        {"bin\\", FolderThere},       {"bin\\y.txt", Same},         {"obj\\", FolderThere},
        {"x.obj", Same},              {"keep.txt", Same},           {"sel\\", FolderThere},
        {"sel\\bin\\", FolderThere},  {"sel\\bin\\z.txt", Same},    {"sel\\a.obj", Same},
        {"sel\\keep.txt", Same},      {"sel\\build\\", FolderThere}, {"sel\\build\\b.txt", Same},
        {"sel\\build.log", Same}};
    struct Case {
        std::vector<std::wstring> masks;
        bool targetOnly;
        std::vector<std::string> leftOut; // rows of `all` that go
        int reference, target;            // left out on each side
        std::map<std::string, std::string> targetOnlyRows;
        std::string unlisted; // the notice of what only the target holds
    } cases[] = {
        {{L"bin\\", L"obj", L"*.obj"},
         false,
         {"bin\\", "bin\\y.txt", "obj\\", "x.obj", "sel\\bin\\", "sel\\bin\\z.txt", "sel\\a.obj"},
         5, 2, {}, "対象のみにあるファイルが1個、フォルダが1個あります。"},
        {{L"build"}, false, {"sel\\build\\", "sel\\build\\b.txt"}, 1, 1, {},
         "対象のみにあるファイルが1個、フォルダが1個あります。"},
        {{L"build\\", L"only*.txt"}, false, {"sel\\build\\", "sel\\build\\b.txt"}, 1, 2, {},
         "対象のみにあるフォルダが1個あります。"},
        {{L"*.log", L"*.obj"},
         true,
         {"x.obj", "sel\\a.obj", "sel\\build.log"},
         3, 2,
         {{"sel\\only.txt", NoReference}, {"sel\\onlydir\\", NoReference},
          {"sel\\onlydir\\q.txt", NoReference}},
         ""},
    };
    for (const Case& c : cases) {
        ResetEntries();
        EnvSettings.ExcludeFlag = true;
        EnvSettings.ExcludeMasks = c.masks;
        EnvSettings.TargetOnly = c.targetOnly;
        Run({"bin", "obj", "x.obj", "keep.txt", "sel"}); // every item but extra.obj
        std::map<std::string, std::string> expected = all;
        for (const std::string& row : c.leftOut)
            expected.erase(row);
        expected.insert(c.targetOnlyRows.begin(), c.targetOnlyRows.end());
        const std::string name = Utf8Of(c.masks[0]);
        EXPECT_EQ(expected, Rows()) << name;
        EXPECT_EQ(c.reference, ExcludedCount) << name;
        EXPECT_EQ(c.target, ExcludedTargetCount) << name;
        EXPECT_NE(std::string::npos,
                  UncomparedNoticeText().find("比較対象外のファイル・フォルダを、基準で" +
                                              std::to_string(c.reference) + "個、対象で" +
                                              std::to_string(c.target) + "個除きました。"))
            << name << ": " << UncomparedNoticeText();
        EXPECT_EQ(c.unlisted, UnlistedTargetNoticeText("")) << name;
    }
}
