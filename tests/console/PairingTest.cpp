// Which target file a record is compared with, through the real console process: names
// that differ only in case (a Linux share, a case-sensitive folder) and names that are a
// file on one side and a folder on the other.
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"

#include <gtest/gtest.h>
#include <set>

namespace {
std::set<std::string> LineSet(const std::string& text)
{
    std::vector<std::string> lines = Lines(text);
    return {lines.begin(), lines.end()};
}

// Made by Linux: the Win32 layer opens "README.TXT" when asked to create it beside
// "readme.txt". Each side's README.TXT differs in size, so a wrong pair shows.
const char* const TreesScript =
    "mkdir -p ref/dir ref/kind tgt/DIR tgt/Dir tgt/plain && "
    "printf same > ref/readme.txt && printf same > tgt/readme.txt && "
    "printf other! > tgt/README.TXT && "
    "printf A > ref/A.txt && printf aa > ref/a.txt && printf A > tgt/A.txt && "
    "printf aa > tgt/a.txt && "
    "printf m > ref/mixed.txt && printf m > tgt/MIXED.TXT && printf m > tgt/Mixed.txt && "
    "printf i > ref/dir/in.txt && printf i > tgt/DIR/in.txt && printf i > tgt/Dir/in.txt && "
    "printf k > ref/kind/k.txt && printf k > tgt/kind && "
    "printf p > ref/plain && printf x > tgt/plain/x.txt && touch done";
} // namespace

TEST(ConsolePairs, ExactNameWinsSeveralCaseVariantsAreNotGuessedKindsPairWithTheirKind)
{
    TempFolder trees;
    ASSERT_TRUE(RunLinuxShell(trees.Path, TreesScript, "done")) << "the Linux shell did not run";
    const std::string ref = trees / "ref", tgt = trees / "tgt";
    const std::wstring args = Quoted(ref) + L" " + Quoted(tgt);
    const std::string variants = "対象に大文字と小文字だけが違う名前が複数あり";
    auto row = [&](const std::string& path, const char* verdicts) {
        return ref + "\\" + path + "\t" + verdicts;
    };
    const std::set<std::string> bothSides = {
        row("A.txt", "－\t一致\t一致"),
        row("a.txt", "－\t一致\t一致"),
        row("readme.txt", "－\t一致\t一致"), // not README.TXT's size
        row("mixed.txt", "－\t－\t－"),      // MIXED.TXT or Mixed.txt: not guessed
        row("dir\\", "－\t－\t－"),
        row("dir\\in.txt", "－\t－\t－"),
        row("kind\\", "－\t見つからない\t見つからない"), // the target's kind is a file
        row("kind\\k.txt", "－\t見つからない\t見つからない"),
        row("plain", "－\t見つからない\t見つからない"), // the target's plain is a folder
    };
    std::set<std::string> withTargetOnly = bothSides;
    // Named by the target's path, where they are.
    for (const char* only : {"README.TXT", "kind", "plain\\", "plain\\x.txt"})
        withTargetOnly.insert(tgt + "\\" + only + "\t基準なし\t基準なし\t基準なし");

    struct Case {
        const char* name;
        std::wstring options;
        std::set<std::string> lines;
    } cases[] = {
        {"both sides", L"/nodate /all ", bothSides},
        {"what only the target holds", L"/nodate /all /targetonly ", withTargetOnly},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.options + args);
        EXPECT_EQ(c.lines, LineSet(run.Out)) << c.name;
        EXPECT_EQ(2, run.Status) << c.name; // records not compared are trouble
        EXPECT_NE(std::string::npos, run.Err.find(variants + "、比較しなかったファイル・フォルダが2個"))
            << c.name << ": " << run.Err;
    }

    // A pair named on the command line is the pair read, whatever else its folder holds.
    struct Named {
        const char* name;
        std::wstring args;
        int status;
        std::string outHas, errHas;
    } named[] = {
        {"a.txt named beside A.txt", L"/nodate " + Quoted(ref + "\\A.txt") + L" " +
                                         Quoted(tgt + "\\a.txt"),
         1, ref + "\\A.txt\t－\t大きい\t不一致", ""},
        {"its bytes", L"/bytes " + Quoted(ref + "\\A.txt") + L" " + Quoted(tgt + "\\a.txt"), 1,
         "00000001\t\t61\t\t 97\t\ta", ""},
        {"the exact name in a target folder", L"/bytes " + Quoted(ref + "\\A.txt") + L" " +
                                                 Quoted(tgt),
         0, "", ""},
        {"no exact name among variants", L"/bytes " + Quoted(ref + "\\mixed.txt") + L" " +
                                             Quoted(tgt),
         2, "", variants},
    };
    for (const Named& c : named) {
        ConsoleRun run = RunConsole(c.args);
        EXPECT_EQ(c.status, run.Status) << c.name << ": " << run.Err;
        EXPECT_NE(std::string::npos, run.Out.find(c.outHas)) << c.name << ": " << run.Out;
        EXPECT_NE(std::string::npos, run.Err.find(c.errHas)) << c.name << ": " << run.Err;
    }
    RunLinuxShell(trees.Path, "rm -rf ref tgt done", "");
    WaitForPath(trees / "done", false);
}
