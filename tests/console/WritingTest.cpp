// What the console program writes, through the real process: appending never changes a
// byte of the existing file, a failing standard output is said, every record is one
// line, and masks match the names as the file system spells them.
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>
#include <set>

namespace {
// One differing pair, so every run has one row.
struct OnePair {
    TempFolder folder;
    OnePair()
    {
        folder.WriteFile("ref\\d.txt", "1");
        folder.WriteFile("tgt\\d.txt", "22");
    }
    std::wstring Args() const { return Quoted(folder / "ref") + L" " + Quoted(folder / "tgt"); }
};
} // namespace

TEST(ConsoleWriting, AppendingKeepsEveryByteAndRefusesWhatItCannotContinue)
{
    OnePair pair;
    const std::string row = pair.folder / "ref\\d.txt,一致,大きい,不一致\r\n";
    const std::string header = "ファイル名,日付,サイズ,内容\r\n";
    const std::string utf8Header = "\xEF\xBB\xBF" "\xE3\x83\x95"; // the mark and "フ"
    struct Case {
        const char* name;
        std::string existing;
        const wchar_t* options;
        int status;
        std::string appended; // after the existing bytes; "" when refused
        const char* errHas;
    } cases[] = {
        {"an end-of-file mark near the end", "a,b\r\nold\x1Amore\r\n", L"", 1, header + row, ""},
        {"no line break at the end", "a,b\r\nlast", L"", 1, "\r\n" + header + row, ""},
        {"a lone CR at the end", "a,b\r", L"", 1, "\n" + header + row, ""},
        {"an empty file", "", L"/utf8", 1, "", ""}, // checked below: a new UTF-8 file
        {"UTF-16 with its mark", "\xFF\xFE" "a", L"", 2, "", "UTF-16"},
        {"UTF-16 without a mark", std::string("a\0,\0b\0\r\0\n\0", 10), L"", 2, "", "UTF-16"},
        {"UTF-8 asked onto Shift-JIS", header, L"/utf8", 2, "", "Shift-JIS のファイルには UTF-8"},
        {"Shift-JIS asked onto UTF-8", "\xEF\xBB\xBF" "a\r\n", L"", 1, "", ""},
    };
    for (const Case& c : cases) {
        const std::string csv = pair.folder.WriteFile("out.csv", c.existing);
        ConsoleRun run = RunConsole(std::wstring(c.options) + L" /append /csv:" + Quoted(csv) +
                                    L" " + pair.Args());
        std::string after = ReadWholeFile(csv);
        EXPECT_EQ(c.status, run.Status) << c.name << ": " << run.Err;
        EXPECT_NE(std::string::npos, run.Err.find(c.errHas)) << c.name << ": " << run.Err;
        ASSERT_GE(after.size(), c.existing.size()) << c.name;
        EXPECT_EQ(c.existing, after.substr(0, c.existing.size())) << c.name; // not a byte changed
        std::string added = after.substr(c.existing.size());
        if (c.status == 2)
            EXPECT_EQ("", added) << c.name;
        else if (!c.existing.empty() && c.existing[0] == '\xEF')
            EXPECT_EQ(0u, added.find("\xE3\x83\x95")) << c.name << ": continued in UTF-8";
        else if (c.existing.empty())
            EXPECT_EQ(0u, added.find(utf8Header)) << c.name;
        else
            EXPECT_EQ(c.appended, added) << c.name;
    }
}

TEST(ConsoleWriting, WriteFailuresOfStandardOutputAreSaidAndAreTrouble)
{
    OnePair pair;
    struct Case {
        const char* name;
        std::wstring args;
    } cases[] = {
        {"the lines", pair.Args()},
        {"the byte list",
         L"/bytes " + Quoted(pair.folder / "ref\\d.txt") + L" " + Quoted(pair.folder / "tgt\\d.txt")},
        {"the help", L"/?"},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.args, false, L"Z:\\dev\\full");
        EXPECT_EQ(2, run.Status) << c.name;
        EXPECT_NE(std::string::npos, run.Err.find("標準出力に書き込めません: ディスクがいっぱいです"))
            << c.name << ": " << run.Err;
    }
}

TEST(ConsoleWriting, ControlCharactersAreEscapedSoEveryRecordIsOneLine)
{
    TempFolder folder;
    // Names only Linux makes: a line feed, a tab, a 1A; and a folder outside Shift-JIS.
    ASSERT_TRUE(RunLinuxShell(folder.Path,
                              "for s in ref tgt; do mkdir -p $s/m$(printf '\\360\\237\\216\\265'); "
                              "printf 1 > $s/$(printf 'a\\nb.txt'); "
                              "printf 1 > $s/$(printf 't\\tx.txt'); done; touch done",
                              "done"))
        << "the Linux shell did not run";
    folder.WriteFile("r.bin", std::string("a\rb\nc\t\x1A", 7));
    folder.WriteFile("t.bin", "xxxxxxx");
    const std::string ref = folder / "ref";
    const std::wstring args = L"/all " + Quoted(ref) + L" " + Quoted(folder / "tgt");
    const std::set<std::string> names = {ref + "\\a\\nb.txt\t－\t－\t－",
                                         ref + "\\t\\tx.txt\t－\t－\t－"};
    std::set<std::string> utf8Names;
    for (const std::string& line : names)
        utf8Names.insert(Utf8Of(WideOf(line)));
    utf8Names.insert(Utf8Of(WideOf(ref) + L"\\m\xD83C\xDFB5\\" + WideOf("\t一致\t一致\t一致")));
    std::set<std::string> codePageNames = names;
    codePageNames.insert(ref + "\\m??\\\t一致\t一致\t一致");
    struct Case {
        const char* name;
        std::wstring options;
        std::set<std::string> lines;
    } cases[] = {
        {"names to a file", args, codePageNames},
        {"names in UTF-8", L"/utf8 " + args, utf8Names},
        {"byte cells", L"/bytes " + Quoted(folder / "r.bin") + L" " + Quoted(folder / "t.bin"),
         {"00000000\t61\t78\t 97\t120\ta\tx", "00000001\t0D\t78\t 13\t120\t\\r\tx",
          "00000002\t62\t78\t 98\t120\tb\tx", "00000003\t0A\t78\t 10\t120\t\\n\tx",
          "00000004\t63\t78\t 99\t120\tc\tx", "00000005\t09\t78\t  9\t120\t\\t\tx",
          "00000006\t1A\t78\t 26\t120\t\\x1A\tx"}},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.options);
        if (run.Out.compare(0, 3, "\xEF\xBB\xBF") == 0) run.Out.erase(0, 3);
        std::set<std::string> lines;
        for (const std::string& line : Lines(run.Out)) {
            lines.insert(line);
            EXPECT_EQ(line.find('\r'), std::string::npos) << c.name; // one record, one line
        }
        EXPECT_EQ(c.lines, lines) << c.name;
    }
    RunLinuxShell(folder.Path, "rm -rf ref tgt done", "");
    WaitForPath(folder / "done", false);
}

// A write that fails half-way (a full disk) leaves nothing behind: an appended file as it
// was, byte for byte, and no new file at all.
TEST(ConsoleWriting, AFullDiskLeavesTheFileAsItWas)
{
    OnePair pair;
    // A 1 MiB file system filled to the last page; the old file is one whole page, so
    // that any appended byte needs a page more.
    const std::string old(4096, 'o');
    ASSERT_TRUE(RunLinuxShell(pair.folder.Path,
                              "mkdir full && mount -t tmpfs -o size=1m tmpfs full && "
                              "printf 'o%.0s' $(seq 4096) > full/old.csv && "
                              "(dd if=/dev/zero of=full/fill bs=4096 2>/dev/null; true) && "
                              "touch mounted",
                              "mounted"))
        << "a 1 MiB tmpfs could not be mounted: the tests run as root (see the platform notes)";
    struct Case {
        const char* name;
        const wchar_t* options;
        const char* file;
        std::string left; // the file afterwards; "" for none
    } cases[] = {
        {"appended", L"/append ", "full\\old.csv", old},
        {"new", L"", "full\\new.csv", ""},
    };
    for (const Case& c : cases) {
        const std::string csv = pair.folder / c.file;
        ConsoleRun run = RunConsole(std::wstring(c.options) + L"/csv:" + Quoted(csv) + L" " +
                                    pair.Args());
        EXPECT_EQ(2, run.Status) << c.name;
        EXPECT_NE(std::string::npos, run.Err.find("ディスクがいっぱいです")) << c.name << ": " << run.Err;
        EXPECT_EQ(c.left.empty(), GetFileAttributesA(csv.c_str()) == INVALID_FILE_ATTRIBUTES)
            << c.name;
        EXPECT_EQ(c.left, ReadWholeFile(csv)) << c.name;
    }
    RunLinuxShell(pair.folder.Path, "umount full && rmdir full && rm mounted", "");
    WaitForPath(pair.folder / "mounted", false);
}
