#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"

#include <gtest/gtest.h>

namespace {
// Applies a diff to a file with Linux's patch, as a user would check it; what patch made,
// or the reason it made nothing.
std::string Patched(const TempFolder& folder, const std::string& original, const std::string& diff,
                    std::string& problem)
{
    folder.WriteFile("patch.diff", diff);
    std::string command = "patch -s -o out.tmp '" + original +
                          "' patch.diff >log 2>&1; echo $? >status.tmp; mv out.tmp out; "
                          "mv status.tmp status";
    if (!RunLinuxShell(folder.Path, command, "status")) {
        problem = "patch did not finish";
        return "";
    }
    if (ReadWholeFile(folder / "status").compare(0, 1, "0") != 0)
        problem = "patch failed: " + ReadWholeFile(folder / "log");
    std::string made = ReadWholeFile(folder / "out");
    for (const char* name : {"out", "status", "log", "patch.diff"})
        DeleteFileA((folder / name).c_str());
    return made;
}

TEST(ConsoleDiff, PatchGivesTheTargetBackByteForByte)
{
    std::string missing = MissingLinuxProgram("patch");
    ASSERT_EQ(missing, "");
    struct Case {
        const char* Name;
        std::string A, B;
    } cases[] = {
        {"a changed line", "1\n2\n3\n", "1\nX\n3\n"},
        {"crlf lines", "one\r\ntwo\r\nthree\r\n", "one\r\n2\r\nthree\r\n"},
        {"an ending changed", "one\r\ntwo\n", "one\ntwo\r\n"},
        {"shift-jis with 5C and 7C trail bytes", "表示\r\nソフト\r\n", "表示\r\nポート|\\\r\n"},
        {"newline taken from the end", "a\nb\n", "a\nb"},
        {"newline put at the end", "a\nb", "a\nb\n"},
        {"from empty", "", "new\n"},
        {"to empty", "old\nlines\n", ""},
        {"byte-order mark added", "x\n", "\xEF\xBB\xBFx\n"},
        {"a lone CR inside a line", "a\rb\nc\n", "a\rB\nc\n"},
        {"far apart changes", std::string(2000, 'x').replace(0, 1, "y") + "\n" + "k\n",
         std::string(2000, 'x') + "\n" + "k\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        std::string a = folder.WriteFile("a.txt", c.A), b = folder.WriteFile("b.txt", c.B);
        ConsoleRun run = RunConsole(L"/diff " + Quoted(a) + L" " + Quoted(b));
        EXPECT_EQ(run.Status, 1) << run.Err;
        EXPECT_EQ(run.Out.compare(0, 4 + a.size(), "--- " + a), 0) << run.Out;
        std::string problem;
        EXPECT_EQ(Patched(folder, "a.txt", run.Out, problem), c.B);
        EXPECT_EQ(problem, "");
    }
}

TEST(ConsoleDiff, FoldersAsDiffRuWalksThem)
{
    TempFolder folder;
    folder.WriteFile("a\\same.txt", "s\n");
    folder.WriteFile("b\\same.txt", "s\n");
    folder.WriteFile("a\\sub\\x.txt", "1\n");
    folder.WriteFile("b\\sub\\x.txt", "2\n");
    folder.WriteFile("a\\bin.dat", std::string("\0\1", 2));
    folder.WriteFile("b\\bin.dat", std::string("\0\2", 2));
    folder.WriteFile("a\\gone.txt", "g\n");
    folder.WriteFile("b\\新規.txt", "n\n");
    folder.WriteFile("a\\kind", "file\n");
    folder.MakeFolder("b\\kind");
    ConsoleRun run = RunConsole(L"/diff " + Quoted(folder / "a") + L" " + Quoted(folder / "b"));
    EXPECT_EQ(run.Status, 1);
    const std::string a = folder / "a", b = folder / "b";
    for (const std::string& line : std::vector<std::string>
         {"Binary files " + a + "/bin.dat and " + b + "/bin.dat differ\n",
          "Only in " + a + ": gone.txt\n", "File " + a + "/kind is a regular file while file " + b +
                                               "/kind is a directory\n",
          "--- " + a + "/sub/x.txt\t", "+++ " + b + "/sub/x.txt\t",
          std::string("@@ -1 +1 @@\n-1\n+2\n"),
          "Only in " + b + ": 新規.txt\n"})
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\n" << run.Out;
    EXPECT_EQ(run.Out.find("same.txt"), std::string::npos);
}

TEST(ConsoleDiff, ExitStatusesAndTheTextRules)
{
    TempFolder folder;
    const std::wstring crlf = Quoted(folder.WriteFile("crlf.txt", "a \r\nB\r\n"));
    const std::wstring lf = Quoted(folder.WriteFile("lf.txt", "a\nb\n"));
    const std::wstring same = Quoted(folder.WriteFile("same.txt", "a\nb\n"));
    struct Case {
        const char* Name;
        std::wstring Args;
        int Status;
        bool Output;
    } cases[] = {
        {"same bytes", lf + L" " + same, 0, false},
        {"differ", crlf + L" " + lf, 1, true},
        {"ending and space and case ignored",
         L"/ignoreeol /ignorespace /ignorecase " + crlf + L" " + lf, 0, false},
        {"case still counts", L"/ignoreeol /ignorespace " + crlf + L" " + lf, 1, true},
        {"a missing file", lf + L" " + Quoted(folder / "none.txt"), 2, false},
        {"with /bytes", L"/bytes " + lf + L" " + same, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ConsoleRun run = RunConsole(L"/diff " + c.Args);
        EXPECT_EQ(run.Status, c.Status) << run.Err;
        EXPECT_EQ(!run.Out.empty(), c.Output) << run.Out;
    }
}
} // namespace

namespace {
TEST(ConsoleDiff, IgnoreSwitchesWithoutDiffAreTheRunsTextRule)
{
    TempFolder a, b;
    a.WriteFile("t.txt", "x\r\ny\r\n");
    b.WriteFile("t.txt", "x\ny\n");
    const std::wstring folders = Quoted(a.Path) + L" " + Quoted(b.Path);
    struct Case {
        const wchar_t* Switches;
        int Status;
        const char* Verdict; // the line's contents verdict
    } cases[] = {
        {L"/nodate /nosize ", 1, "\t－\t－\t不一致\r\n"},
        {L"/nodate /nosize /ignoreeol ", 0, "\t－\t－\t改行のみ\r\n"},
        {L"/nodate /ignoreeol ", 1, "\t－\t小さい\t改行のみ\r\n"},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.Switches + folders);
        EXPECT_EQ(run.Status, c.Status) << run.Err;
        EXPECT_NE(run.Out.find("t.txt" + std::string(c.Verdict)), std::string::npos) << run.Out;
    }
}
} // namespace
