#include "engine/WaveSound.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/SubstDrive.h"
#include "tests/common/TempFolder.h"
#include "tests/run/RunFakes.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>
#include <map>

namespace {
std::vector<std::string> soundsAsked;
void RecordSound(const std::string& name)
{
    soundsAsked.push_back(name);
}

// Presses a control of the progress window as soon as the window is up, as the user
// would during a run: the cancel button, or the close box.
enum class UserAction { None, PressCancel, PressCloseBox };
UserAction pendingAction = UserAction::None;
std::string referenceFolder; // the action waits until a path of it is on show

BOOL CALLBACK FindReferencePath(HWND child, LPARAM found)
{
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text).compare(0, referenceFolder.size(), referenceFolder) == 0)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

void CALLBACK ActOnProgressWindow(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND window = FindWindowA(FormClassName, "比較");
    if (!window || !IsWindowVisible(window) || pendingAction == UserAction::None) return;
    bool comparing = false; // the first record has started
    EnumChildWindows(window, FindReferencePath, reinterpret_cast<LPARAM>(&comparing));
    if (!comparing) return;
    if (pendingAction == UserAction::PressCancel)
        SendMessageA(FindWindowExA(window, nullptr, "BUTTON", "中止(&C)"), BM_CLICK, 0, 0);
    else
        SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    pendingAction = UserAction::None;
    KillTimer(nullptr, id);
}

std::vector<int> CodesOf(const FilePairEntry& e)
{
    return {e.DateResult, e.SizeResult, e.ContentsResult};
}

struct CompareCommandTest : ::testing::Test {
    SettingsRestorer settings;
    MainWindowStandIn main;
    TempFolder src, des;
    RecordingHost host;
    WavePlayer savedPlayer = PlayWaveSound;

    void SetUp() override
    {
        host.Src.Folder = WithoutSlash(src.Path);
        host.DesPath = WithoutSlash(des.Path);
        EnvSettings.CompDate = EnvSettings.CompSize = EnvSettings.CompContents = true;
        EnvSettings.DispDiscord = true;
        EnvSettings.SoundFlag = true;
        EnvSettings.SameSoundFileName = "same.wav";
        EnvSettings.DiscordSoundFileName = "discord.wav";
        soundsAsked.clear();
        PlayWaveSound = RecordSound;
        pendingAction = UserAction::None;
    }
    void TearDown() override { PlayWaveSound = savedPlayer; }

    void SamePair(const std::string& name, const std::string& bytes)
    {
        // Same time too: two writes can fall on either side of a 2-second step.
        SetLocalWriteTime(src.WriteFile(name, bytes), 2020, 5, 1, 10, 0, 0);
        SetLocalWriteTime(des.WriteFile(name, bytes), 2020, 5, 1, 10, 0, 0);
    }
    // Enough equal files in one folder that the run pumps many times before its end.
    void ManyEqualFiles(const std::string& folder, int count)
    {
        for (int i = 0; i < count; ++i)
            SamePair(folder + "\\f" + std::to_string(i) + ".txt", std::string(600, 'a' + i % 26));
    }
    void Run(UserAction action = UserAction::None)
    {
        pendingAction = action;
        referenceFolder = src.Path;
        UINT_PTR timer =
            action == UserAction::None ? 0 : SetTimer(nullptr, 0, 5, ActOnProgressWindow);
        CompareCommand(host);
        if (timer) KillTimer(nullptr, timer);
    }
    std::vector<std::string> Histories() const
    {
        return {"SrcHistory " + WithoutSlash(src.Path), "DesHistory " + WithoutSlash(des.Path)};
    }
};
} // namespace

TEST_F(CompareCommandTest, NothingSelectedDoesNothingAtAll)
{
    SamePair("a.txt", "1");
    host.Src.Add("a.txt", false);
    EntryCount = 5;
    BoxAnswerer boxes({IDOK});

    Run();

    EXPECT_TRUE(host.Calls.empty());
    EXPECT_TRUE(soundsAsked.empty());
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_EQ(5, EntryCount);
}

TEST_F(CompareCommandTest, AllMatchingWithOnlyMismatchesShownEndsWithTheMessage)
{
    // The user closes the progress window with its close box: the run goes on.
    ManyEqualFiles("many", 300);
    host.Src.Add("many");
    BoxAnswerer boxes({IDOK});

    Run(UserAction::PressCloseBox);

    EXPECT_FALSE(RunCancelled);
    EXPECT_EQ(301, EntryCount);
    ASSERT_EQ(1u, boxes.Seen.size());
    EXPECT_EQ("情報", boxes.Seen[0].Caption);
    EXPECT_EQ("不一致ファイルはありません。", boxes.Seen[0].Text);
    EXPECT_TRUE(boxes.Seen[0].HasIcon);
    EXPECT_EQ(std::vector<std::string>{"same.wav"}, soundsAsked);
    EXPECT_EQ(Histories(), host.Calls);
    EXPECT_EQ(0u, FileEntries.capacity());
    EXPECT_EQ(nullptr, FindWindowA(FormClassName, "比較"));
    EXPECT_TRUE(main.Enabled());
}

TEST_F(CompareCommandTest, AllMatchingWithEveryRecordShownOpensTheResults)
{
    SamePair("a.txt", "1");
    host.Src.Add("a.txt");
    EnvSettings.DispDiscord = false;
    EnvSettings.SoundFlag = false;
    BoxAnswerer boxes({IDOK});

    Run();

    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_TRUE(soundsAsked.empty());
    std::vector<std::string> expected = {"ShowResults"};
    for (const auto& h : Histories())
        expected.push_back(h);
    EXPECT_EQ(expected, host.Calls);
    EXPECT_EQ(1, host.EntriesSeenByResults);
}

TEST_F(CompareCommandTest, MismatchesOpenTheResultsWithTheOtherSound)
{
    src.WriteFile("a.txt", "1");
    des.WriteFile("a.txt", "2");
    host.Src.Add("a.txt");
    EnvSettings.DiscordSoundFileName = ""; // an empty name still goes to the player
    BoxAnswerer boxes({IDOK});

    Run();

    EXPECT_EQ(1, MismatchCount);
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_EQ(std::vector<std::string>{""}, soundsAsked);
    EXPECT_EQ("ShowResults", host.Calls.at(0));
    EXPECT_EQ(3u, host.Calls.size());
}

TEST_F(CompareCommandTest, CancelledWithoutMismatchesSaysSo)
{
    ManyEqualFiles("many", 300);
    host.Src.Add("many");
    BoxAnswerer boxes({IDOK});

    Run(UserAction::PressCancel);

    ASSERT_TRUE(RunCancelled);
    ASSERT_EQ(1u, boxes.Seen.size());
    // How far it came, never "no mismatches" for what it did not reach.
    EXPECT_EQ("比較を中断しました。" + std::to_string(ReachedCount) + " / 301 個のファイルを比較しました。",
              boxes.Seen[0].Text);
    EXPECT_LT(ReachedCount, 301);
    EXPECT_EQ(std::vector<std::string>{"same.wav"}, soundsAsked);
    EXPECT_EQ(Histories(), host.Calls);
    EXPECT_TRUE(main.Enabled());
}

TEST_F(CompareCommandTest, CancelledWithMismatchesAsksWhetherToShowThem)
{
    src.WriteFile("a.txt", "differs");
    ManyEqualFiles("many", 300);
    host.Src.Add("a.txt");
    host.Src.Add("many");

    {
        BoxAnswerer boxes({IDNO});
        Run(UserAction::PressCancel);
        ASSERT_TRUE(RunCancelled);
        EXPECT_EQ(1, MismatchCount);
        ASSERT_EQ(1u, boxes.Seen.size());
        EXPECT_EQ("情報", boxes.Seen[0].Caption);
        EXPECT_EQ("比較を中断しました。" + std::to_string(ReachedCount) +
                      " / 302 個のファイルを比較しました。\r\n不一致ファイルがあります。\r\n"
                      "結果を表示しますか？",
                  boxes.Seen[0].Text);
        EXPECT_TRUE(boxes.Seen[0].HasYes && boxes.Seen[0].HasNo);
        EXPECT_EQ(std::vector<std::string>{"discord.wav"}, soundsAsked);
        EXPECT_EQ(Histories(), host.Calls); // no results, but both histories
        EXPECT_EQ(0u, FileEntries.capacity());
    }
    host.Calls.clear();
    {
        BoxAnswerer boxes({IDYES});
        Run(UserAction::PressCancel);
        ASSERT_TRUE(RunCancelled);
        ASSERT_EQ(1u, boxes.Seen.size());
        EXPECT_EQ("ShowResults", host.Calls.at(0));
        EXPECT_EQ(3u, host.Calls.size());
    }
}

TEST_F(CompareCommandTest, DrivesSelectedUnderMyComputerAreComparedOnTheDrives)
{
    // A small drive M: standing for the reference folder; both trees on My Computer,
    // whose path is its parsing name.
    SubstDrive drive('M', src.Path);
    if (drive.Root.empty()) GTEST_SKIP() << "no drive letter could be made here";
    SamePair("a.txt", "same");
    src.WriteFile("held.txt", "held");
    HANDLE held = CreateFileA((src / "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    const std::string myComputer = "::{20d04fe0-3aea-1069-a2d8-08002b30309d}";
    host.Src.Folder = host.DesPath = myComputer;
    host.Src.Virtual = host.DesVirtual = true;
    host.Src.Add(" (M:)");
    EnvSettings.DispDiscord = false;
    BoxAnswerer boxes({IDOK});

    Run();
    CloseHandle(held);

    EXPECT_TRUE(boxes.Seen.empty()); // everything was compared
    std::map<std::string, std::vector<int>> codes;
    for (const FilePairEntry& e : host.EntriesShown)
        codes[e.Folder + e.Name] = CodesOf(e);
    std::map<std::string, std::vector<int>> expected{
        {"M:\\", {0, 0, 0}}, {"M:\\a.txt", {0, 0, 0}}, {"M:\\held.txt", {0, 0, cvInUse}}};
    EXPECT_EQ(expected, codes);
    EXPECT_EQ(0, UncomparedCount);
}

TEST_F(CompareCommandTest, SelectedFoldersNamedOutsideTheCodePageAreComparedByTheirRealPaths)
{
    // The trees give "...\\??" and "...\\caf?", which name no folder; "cafe" next to
    // "café" holds the reference's bytes, so a look-alike would read as a match.
    const std::wstring hangul = L"\xD55C\xAE00", cafe = L"caf\x00E9";
    for (const char* name : {"a.txt", "same.txt", "sub\\c.txt"}) {
        std::string bytes = std::string(name) == "same.txt" ? "s" : "1";
        src.WriteFile(hangul + L"\\" + WideOf(name), bytes);
        des.WriteFile(cafe + L"\\" + WideOf(name), bytes == "s" ? "s" : "2");
        des.WriteFile(std::string("cafe\\") + name, bytes);
    }
    host.Src.Folder = src.Path + CodePageText(hangul);
    host.Src.RealFolder = WideOf(src.Path) + hangul;
    host.DesPath = des.Path + CodePageText(cafe);
    host.DesRealPath = WideOf(des.Path) + cafe;
    for (const char* name : {"a.txt", "same.txt", "sub"})
        host.Src.Add(name);
    EnvSettings.CompDate = false;
    BoxAnswerer boxes({IDOK, IDOK}); // the notice and the verdict, should it come to that

    Run();

    EXPECT_TRUE(boxes.Seen.empty()); // nothing left uncompared
    std::map<std::string, std::vector<int>> codes;
    for (const FilePairEntry& e : host.EntriesShown)
        codes[e.Folder + e.Name] = CodesOf(e);
    std::map<std::string, std::vector<int>> expected{{"a.txt", {1, 0, cvDiffer}},
                                                     {"same.txt", {1, 0, 0}},
                                                     {"sub\\", {1, 0, 0}},
                                                     {"sub\\c.txt", {1, 0, cvDiffer}}};
    EXPECT_EQ(expected, codes);
    EXPECT_EQ(2, MismatchCount);
    EXPECT_EQ(0, UncomparedCount);
}

TEST_F(CompareCommandTest, WhatWasNotComparedIsToldBeforeTheUsualMessage)
{
    // gone.txt is deleted after collection; the folder locked\ is held by another
    // program without sharing, so nothing below it can be listed.
    SamePair("kept.txt", "kept");
    SamePair("locked\\inside.txt", "inside");
    host.Src.Add("gone.txt");
    host.Src.Add("kept.txt");
    host.Src.Add("locked");
    HANDLE locked = CreateFileA((src / "locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    const std::string notice = "比較できなかったファイルが1個あります。\r\n"
                               "読み込めなかったフォルダが1個あります。";

    // Every record listed: the vanished one reads "－" three times and is no mismatch.
    EnvSettings.DispDiscord = false;
    {
        src.WriteFile("gone.txt", "gone");
        host.BeforeRun = [this] { DeleteFileA((src / "gone.txt").c_str()); };
        BoxAnswerer boxes({IDOK});
        Run();
        ASSERT_EQ(1u, boxes.Seen.size());
        EXPECT_EQ(notice, boxes.Seen[0].Text);
        EXPECT_EQ("情報", boxes.Seen[0].Caption);
        EXPECT_TRUE(boxes.Seen[0].HasIcon && boxes.Seen[0].HasOk);
        EXPECT_EQ("ShowResults", host.Calls.at(0));
        ASSERT_EQ(3u, host.EntriesShown.size());
        EXPECT_EQ("gone.txt", host.EntriesShown[0].Name);
        EXPECT_EQ((std::vector<int>{1, 1, 1}), CodesOf(host.EntriesShown[0]));
        EXPECT_EQ(0, MismatchCount);
        // Its own record was not read: "－", not the 一致 of a folder looked at.
        EXPECT_EQ("locked\\", host.EntriesShown[2].Folder);
        EXPECT_EQ((std::vector<int>{1, 1, 1}), CodesOf(host.EntriesShown[2]));
    }
    // Only mismatches shown: the notice comes before "no mismatches", never instead.
    EnvSettings.DispDiscord = true;
    {
        src.WriteFile("gone.txt", "gone");
        host.BeforeRun = [this] { DeleteFileA((src / "gone.txt").c_str()); };
        BoxAnswerer boxes({IDOK, IDOK});
        Run();
        ASSERT_EQ(2u, boxes.Seen.size());
        EXPECT_EQ(notice, boxes.Seen[0].Text);
        EXPECT_EQ("不一致ファイルはありません。", boxes.Seen[1].Text);
    }
    // A cancelled run says it too, before its own message.
    {
        ManyEqualFiles("many", 300);
        host.Src.Add("many");
        BoxAnswerer boxes({IDOK, IDOK});
        Run(UserAction::PressCancel);
        ASSERT_TRUE(RunCancelled);
        ASSERT_EQ(2u, boxes.Seen.size());
        EXPECT_EQ(
            "比較できなかったファイルが1個あります。\r\n読み込めなかったフォルダが1個あります。",
            boxes.Seen[0].Text);
        EXPECT_EQ(CancelledText(), boxes.Seen[1].Text);
    }
    CloseHandle(locked);
}

// The reference folder compared whole but unreadable (held without sharing): said as a
// folder not read, and what the target holds is not taken for the target's own.
TEST_F(CompareCommandTest, AWholeReferenceFolderThatCannotBeReadIsSaidAndTheTargetIsNotItsOwn)
{
    des.WriteFile("extra.txt", "only in the target");
    host.Src.RealFolder = WideOf(host.Src.Folder);
    host.DesRealPath = WideOf(host.DesPath);
    EnvSettings.TargetOnly = true;
    HANDLE locked = CreateFileA(host.Src.Folder.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    BoxAnswerer boxes({IDOK, IDOK});
    CompareCommand(host, CompareScope::Whole);
    CloseHandle(locked);
    ASSERT_EQ(2u, boxes.Seen.size());
    EXPECT_EQ("読み込めなかったフォルダが1個あります。", boxes.Seen[0].Text);
    EXPECT_EQ("不一致ファイルはありません。", boxes.Seen[1].Text);
}

TEST_F(CompareCommandTest, TextsEqualOnlyUnderTheTextRuleAreShownNeverTakenForMatches)
{
    // Same dates and sizes; the contents differ in their line endings alone.
    SetLocalWriteTime(src.WriteFile("a.txt", "x\r\ny\n"), 2020, 5, 1, 10, 0, 0);
    SetLocalWriteTime(des.WriteFile("a.txt", "x\ny\r\n"), 2020, 5, 1, 10, 0, 0);
    host.Src.Add("a.txt");
    struct Case {
        const char* What;
        bool Rule;
        int Mismatches;
        const char* Shown; // the first thing the run ends with
    } cases[] = {
        {"rule off: a mismatch", false, 1, "ShowResults"},
        {"rule on: no mismatch, still listed", true, 0, "ShowResults"},
    };
    for (const Case& c : cases) {
        EnvSettings.TextRule = c.Rule;
        EnvSettings.TextIgnore.IgnoreEol = true;
        host.Calls.clear();
        BoxAnswerer boxes({IDOK});
        Run();
        EXPECT_EQ(MismatchCount, c.Mismatches) << c.What;
        EXPECT_TRUE(boxes.Seen.empty()) << c.What << ": " << boxes.Seen[0].Text;
        ASSERT_FALSE(host.Calls.empty()) << c.What;
        EXPECT_EQ(host.Calls[0], c.Shown) << c.What;
        EXPECT_EQ(host.EntriesSeenByResults, 1) << c.What;
    }
}
