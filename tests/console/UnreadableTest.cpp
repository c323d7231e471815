// What the program could not read never reads as a match or as 基準なし: the real console
// process on folders it has no right to read. Root reads everything, so the run goes
// without the capabilities that let it, in a wine server of its own started under them
// (a copy of this prefix made of links).
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>

namespace {
// Runs the console program in the folder with the arguments after `chmod 000` on the
// folder named (relative to it), without read rights; its rights come back afterwards.
// The prefix copy has folders of its own, so the paths go by the Linux folder (Z:), where
// the rights are taken away; shownFolder is the folder as the program names it.
ConsoleRun RunWithoutReadRights(const TempFolder& folder, const std::string& locked,
                                const std::string& arguments, std::string& shownFolder)
{
    for (const char* stale : {"status", "out", "err"})
        DeleteFileA((folder / stale).c_str());
    std::string program = CodePageText(ConsoleProgramPath());
    folder.WriteFile("run.sh",
                     "unset WINESERVERSOCKET\n"
                     "pwd >folder\n"
                     "shadow=$(mktemp -u /tmp/vexil-prefix.XXXXXX)\n"
                     "cp -al \"$WINEPREFIX\" \"$shadow\" && rm -f \"$shadow\"/*.reg && "
                     "cp \"$WINEPREFIX\"/*.reg \"$shadow\"/\n"
                     "chmod 000 " + locked + "\n"
                     "WINEPREFIX=\"$shadow\" capsh --drop=cap_dac_override,cap_dac_read_search -- "
                     "-c \"wine '" + program + "' " + arguments + " >out 2>err; echo \\$? >status.tmp\"\n"
                     "chmod 755 " + locked + "\n"
                     "WINEPREFIX=\"$shadow\" wineserver -k\n"
                     "rm -rf \"$shadow\"\n"
                     "mv status.tmp status\n");
    ConsoleRun run;
    if (!RunLinuxShell(folder.Path, "sh run.sh", "status")) return run;
    std::string status = ReadWholeFile(folder / "status");
    if (status.empty()) return run;
    run.Status = std::stoi(status);
    shownFolder = "Z:" + ReadWholeFile(folder / "folder");
    shownFolder.pop_back(); // the line feed
    for (char& c : shownFolder)
        if (c == '/') c = '\\';
    run.Out = ReadWholeFile(folder / "out");
    run.Err = ReadWholeFile(folder / "err");
    return run;
}
} // namespace

TEST(ConsoleUnreadable, FoldersWithoutReadRightsAreTroubleNeverMatchesNorTheTargetsOwn)
{
    std::string missing = MissingLinuxProgram("capsh");
    ASSERT_EQ("", missing);
    TempFolder folder;
    for (const char* side : {"ref\\", "tgt\\"}) {
        folder.WriteFile(std::string(side) + "same.txt", "same");
        folder.WriteFile(std::string(side) + "sub\\in.txt", "in");
    }
    folder.WriteFile("tgt\\only.txt", "only in the target");
    folder.WriteFile("tgt\\sub\\more.txt", "only in the target");
    struct Case {
        const char* name;
        std::string locked, options;
        std::string errHas;
        std::vector<std::string> lines; // standard output, whole, after the folder
    } cases[] = {
        {"the reference folder", "ref", "", "基準のフォルダを読み込めません", {}},
        {"the reference folder, target's own asked for", "ref", "/targetonly ",
         "基準のフォルダを読み込めません", {}},
        {"a reference sub-folder, target's own asked for", "ref/sub", "/targetonly /nodate ",
         "読み込めなかったフォルダが1個あります。",
         {"\\tgt\\only.txt\t基準なし\t基準なし\t基準なし"}}, // sub\more.txt is not
        {"a reference file", "ref/same.txt", "/nodate ",
         "アクセスが拒否されて読めなかったファイルが1個あります。",
         {"\\ref\\same.txt\t－\t一致\t使用中"}},
    };
    for (const Case& c : cases) {
        std::string shown;
        ConsoleRun run = RunWithoutReadRights(folder, c.locked, c.options + "ref tgt", shown);
        EXPECT_EQ(2, run.Status) << c.name;
        EXPECT_NE(std::string::npos, run.Err.find(c.errHas)) << c.name << ": " << run.Err;
        std::vector<std::string> lines;
        for (const std::string& line : c.lines)
            lines.push_back(shown + line);
        EXPECT_EQ(lines, Lines(run.Out)) << c.name;
    }
}
