// The console's /exclude: through the real process: masks match names as the file
// system spells them, so a character outside Shift-JIS is itself, never a "?" wildcard.
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>
#include <set>

TEST(ConsoleMasks, MasksMatchTheRealNames)
{
    TempFolder folder;
    const std::vector<std::wstring> names = {L"ab.txt", L"cafe.txt", L"cafX.txt", L"caf\x00E9.txt",
                                             L"\xD83D\xDE00.txt", L"x.txt"};
    for (const std::wstring& name : names) {
        folder.WriteFile(L"ref\\" + name, "1");
        folder.WriteFile(L"tgt\\" + name, "2");
    }
    const std::wstring ref = WideOf(folder / "ref");
    struct Case {
        std::wstring mask;
        std::set<std::wstring> left; // the names still compared
        const char* excluded;
    } cases[] = {
        {L"\xD83D\xDE00.txt",
         {L"ab.txt", L"cafe.txt", L"cafX.txt", L"caf\x00E9.txt", L"x.txt"},
         "基準で1個、対象で1個"},
        {L"caf\x00E9.txt", {L"ab.txt", L"cafe.txt", L"cafX.txt", L"\xD83D\xDE00.txt", L"x.txt"},
         "基準で1個、対象で1個"},
        {L"CAF\x00C9.TXT", {L"ab.txt", L"cafe.txt", L"cafX.txt", L"\xD83D\xDE00.txt", L"x.txt"},
         "基準で1個、対象で1個"},
        {L"caf?.txt", {L"ab.txt", L"\xD83D\xDE00.txt", L"x.txt"}, "基準で3個、対象で3個"}, // "?": one character
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(L"/utf8 /nodate \"/exclude:" + c.mask + L"\" " + Quoted(ref) +
                                    L" " + Quoted(folder / "tgt"));
        std::string out = run.Out.compare(0, 3, "\xEF\xBB\xBF") == 0 ? run.Out.substr(3) : run.Out;
        std::set<std::wstring> left;
        for (const std::string& line : Lines(out)) {
            std::wstring path = WideOfUtf8(line.substr(0, line.find('\t')));
            left.insert(path.substr(ref.size() + 1));
        }
        EXPECT_EQ(c.left, left) << Utf8Of(c.mask);
        EXPECT_EQ(1, run.Status) << Utf8Of(c.mask);
        EXPECT_NE(std::string::npos, run.Err.find(std::string(c.excluded) + "除きました"))
            << Utf8Of(c.mask) << ": " << run.Err;
    }
}

// The same rules at every level of a folder compared whole: a mask without "\" leaves out
// files and folders alike, one with it folders only; each side's count is said.
TEST(ConsoleMasks, MasksApplyAtEveryLevelToFilesAndFolders)
{
    TempFolder folder;
    for (const char* side : {"ref\\", "tgt\\"}) {
        for (const char* name :
             {"bin\\x.txt", "sub\\bin\\y.txt", "sub\\bin.txt", "sub2\\bin", "keep.txt"})
            folder.WriteFile(std::string(side) + name, side[0] == 'r' ? "1" : "22");
    }
    const std::string ref = folder / "ref";
    struct Case {
        const wchar_t* mask;
        std::set<std::string> left; // the files still compared
        const char* counts;
    } cases[] = {
        {L"bin", {"sub\\bin.txt", "keep.txt"}, "基準で3個、対象で3個"},
        {L"bin\\", {"sub\\bin.txt", "sub2\\bin", "keep.txt"}, "基準で2個、対象で2個"},
        {L"bin*", {"keep.txt"}, "基準で4個、対象で4個"},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(L"/nodate " + Quoted(L"/exclude:" + std::wstring(c.mask)) +
                                    L" " + Quoted(ref) + L" " + Quoted(folder / "tgt"));
        std::set<std::string> left;
        for (const std::string& line : Lines(run.Out))
            left.insert(line.substr(ref.size() + 1, line.find('\t') - ref.size() - 1));
        EXPECT_EQ(c.left, left) << Utf8Of(c.mask);
        EXPECT_NE(std::string::npos, run.Err.find(std::string(c.counts) + "除きました"))
            << Utf8Of(c.mask) << ": " << run.Err;
    }
}
