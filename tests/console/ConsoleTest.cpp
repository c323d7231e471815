#include "engine/CompDispView.h"
#include "engine/CompareRun.h"
#include "filebytes/BlockReader.h"
#include "results/ByteDifferences.h"
#include "results/ResultExport.h"
#include "results/TrelkDisp.h"
#include "settings/EnvSettings.h"
#include "tests/common/TempFolder.h"
#include "tests/console/ConsoleProcess.h"
#include "toolkit/CodePage.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::string WithoutSlash(std::string path)
{
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The fields of one CSV line (RFC 4180 quotes), without its CR LF.
std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// A reference pane listing a real folder's items in the order given, all selected.
struct WholeFolder : ReferencePane {
    std::string Folder;
    std::vector<std::wstring> Names;
    bool IsVirtualFolder() override { return false; }
    std::string GetSelectedPath() override { return Folder; }
    std::wstring GetSelectedRealPath() override { return WideOf(Folder); }
    int ItemCount() override { return static_cast<int>(Names.size()); }
    std::string ItemCaption(int index) override { return CodePageText(Names[index]); }
    std::wstring ItemRealName(int index) override { return Names[index]; }
    bool ItemSelected(int) override { return true; }
};

// Two trees with a file of each kind of verdict, names with a comma, a space, Japanese
// and a character outside the code page.
struct Trees {
    TempFolder src, des;
    // The reference folder's items as a file list lists them: folders, then files.
    std::vector<std::wstring> Items = {L"sub",         L"a.txt", L"b,c.txt", L"caf\u00e9.txt",
                                       L"my file.txt", L"n.txt", L"日本.txt"};
    Trees()
    {
        Pair("a.txt", "same", "same");
        Pair("b,c.txt", "one", "two");
        Pair("my file.txt", "space", "space");
        Pair("n.txt", "new", "newer!", 2021);
        Pair("日本.txt", "日本", "日本");
        Pair("sub\\x.txt", "x", "x");
        SetLocalWriteTime(src.WriteFile("sub\\deep\\only.txt", "only"), 2020, 1, 1, 0, 0, 0);
        src.WriteFile(L"caf\u00e9.txt", "e");
        des.WriteFile(L"caf\u00e9.txt", "E");
    }
    void Pair(const std::string& name, const std::string& a, const std::string& b, int year = 2020)
    {
        SetLocalWriteTime(src.WriteFile(name, a), 2020, 5, 1, 10, 0, 0);
        SetLocalWriteTime(des.WriteFile(name, b), year, 5, 1, 10, 0, 0);
    }
    std::wstring Args() const { return Quoted(src.Path) + L" " + Quoted(des.Path); }

    // The window's route: collection with its search window, the run with its progress
    // window, and the result window's export of the rows it lists.
    std::string WindowCsv(const std::string& path, bool all, bool date, bool size, bool contents,
                          CsvEncoding encoding)
    {
        TEnvSettings saved = EnvSettings;
        EnvSettings.DispDiscord = !all;
        EnvSettings.CompDate = date;
        EnvSettings.CompSize = size;
        EnvSettings.CompContents = contents;
        WholeFolder pane;
        pane.Folder = WithoutSlash(src.Path);
        pane.Names = Items;
        CollectFiles(pane);
        CompDispView view;
        RunComparison({pane.Folder}, {WithoutSlash(des.Path)}, view);
        RunFolders folders{pane.Folder, WithoutSlash(des.Path), WideOf(pane.Folder),
                           WideOf(WithoutSlash(des.Path))};
        ExportRows(path, true, folders, OpeningRows(FileEntries, EntryCount, !all), {}, {encoding});
        EnvSettings = saved;
        return ReadWholeFile(path);
    }
};

// The DLLs a program file imports, read from its PE headers.
std::vector<std::string> ImportedLibraries(const std::string& bytes)
{
    auto at = [&](size_t offset) { return bytes.data() + offset; };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew));
    auto sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::vector<std::string> names;
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(fileOffset(importRva)));
         d->Name; ++d)
        names.emplace_back(at(fileOffset(d->Name)));
    return names;
}
} // namespace

TEST(Console, ExitStatusesAndProgressOnlyToAConsole)
{
    TempFolder same1, same2, other;
    for (const TempFolder* f : {&same1, &same2})
        SetLocalWriteTime(f->WriteFile("s.txt", "same"), 2020, 5, 1, 10, 0, 0);
    SetLocalWriteTime(other.WriteFile("s.txt", "diff"), 2020, 5, 1, 10, 0, 0);
    const std::string locked = same1.WriteFile("locked\\l.txt", "l");
    same2.WriteFile("locked\\l.txt", "l");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::wstring same = Quoted(same1 / "s.txt") + L" " + Quoted(same2.Path);
    // Folders where the target holds one more file, and where only a .log file differs.
    TempFolder extra;
    for (const char* side : {"t1\\", "t2\\", "e1\\", "e2\\"})
        SetLocalWriteTime(extra.WriteFile(std::string(side) + "s.txt", "same"), 2020, 5, 1, 10, 0,
                          0);
    extra.WriteFile("t2\\more.txt", "more");
    extra.WriteFile("e1\\x.log", "a");
    extra.WriteFile("e2\\x.log", "b");
    const std::wstring targetHasMore = Quoted(extra / "t1") + L" " + Quoted(extra / "t2");
    const std::wstring logDiffers = Quoted(extra / "e1") + L" " + Quoted(extra / "e2");
    struct Case {
        const char* name;
        std::wstring args;
        int status;
        const char* errHas; // "" for nothing on standard error
    } cases[] = {
        {"same file", same, 0, ""},
        {"same with date off", L"/nodate " + same, 0, ""},
        {"different", Quoted(same1 / "s.txt") + L" " + Quoted(other.Path), 1, ""},
        {"missing base", Quoted(other / "none") + L" " + Quoted(other.Path), 2,
         "基準が見つかりません"},
        {"missing target", Quoted(same1.Path) + L" " + Quoted(other / "none"), 2,
         "対象が見つかりません"},
        {"bad argument", L"/bogus " + same, 2, "不明なオプションです: /bogus"},
        {"one path only", Quoted(same1.Path), 2, "基準と対象を指定してください。"},
        {"every check off", L"/nodate /nosize /nocontents " + same, 2, "比較するものがありません"},
        {"a file that cannot be read", Quoted(same1 / "locked") + L" " + Quoted(same2 / "locked"),
         2, "使用中で読めなかったファイルが1個あります。"},
        {"help", L"/?", 0, ""},
        // Said, but no trouble: the status stays that of what was compared.
        {"target's extra file unasked", targetHasMore, 0,
         "対象のみにあるファイルが1個あります。表示するには /targetonly を付けてください。"},
        {"target's extra file asked for", L"/targetonly " + targetHasMore, 1, ""},
        {"a differing file left out", L"/exclude:*.log " + logDiffers, 0,
         "比較対象外のファイル・フォルダを、基準で1個、対象で1個除きました。"},
        {"a differing file not left out", L"/exclude:*.obj;bin\\ " + logDiffers, 1, ""},
        {"a mask no name can match", L"/exclude:a|b " + logDiffers, 2, "a|b"},
        // The byte list uses none of these: refused, never ignored without a word.
        {"bytes with every record", L"/bytes /all " + same, 2,
         "/bytes と一緒には使えないオプションです: /all"},
        {"bytes with the target's own", L"/bytes /targetonly " + same, 2, "/targetonly"},
        {"bytes with masks", L"/bytes /exclude:*.log " + same, 2, "/exclude:*.log"},
        {"bytes without dates", L"/bytes /nodate " + same, 2, "/nodate"},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.args);
        EXPECT_EQ(run.Status, c.status) << c.name;
        if (*c.errHas)
            EXPECT_NE(run.Err.find(c.errHas), std::string::npos) << c.name << ": " << run.Err;
        else
            EXPECT_EQ(run.Err, "") << c.name; // no progress: standard error is a file
    }
    CloseHandle(lock);
    // A file only the target holds is named by its own path.
    EXPECT_NE(RunConsole(L"/targetonly " + targetHasMore)
                  .Out.find((extra / "t2") + "\\more.txt\t基準なし"),
              std::string::npos);
    EXPECT_NE(RunConsole(L"/?").Out.find("使い方: Vexil32c [オプション] 基準 対象"),
              std::string::npos);
}

TEST(Console, CsvEqualsTheWindowsCsvByteForByte)
{
    Trees trees;
    struct Case {
        const wchar_t* options;
        bool all, date, size, contents;
        CsvEncoding encoding;
    } cases[] = {
        {L"", false, true, true, true, CsvEncoding::ShiftJis},
        {L"/all", true, true, true, true, CsvEncoding::ShiftJis},
        {L"/nodate /all", true, false, true, true, CsvEncoding::ShiftJis},
        {L"/nosize /nocontents", false, true, false, false, CsvEncoding::ShiftJis},
        {L"/nocontents /all", true, true, true, false, CsvEncoding::ShiftJis},
        {L"/all /utf8", true, true, true, true, CsvEncoding::Utf8},
    };
    TempFolder out;
    for (const Case& c : cases) {
        std::wstring csv = WideOf(out / "console.csv");
        ConsoleRun run =
            RunConsole(std::wstring(c.options) + L" /csv:" + Quoted(csv) + L" " + trees.Args());
        std::string console = ReadWholeFile(out / "console.csv");
        std::string window =
            trees.WindowCsv(out / "window.csv", c.all, c.date, c.size, c.contents, c.encoding);
        EXPECT_EQ(console, window) << "options: " << CodePageText(c.options);
        EXPECT_EQ(run.Status, 1) << CodePageText(c.options);
        EXPECT_GT(Lines(console).size(), 2u) << CodePageText(c.options);
    }
}

TEST(Console, NamesReadBackWholeInEachForm)
{
    Trees trees;
    TempFolder out;
    const std::string base = WithoutSlash(trees.src.Path);
    const std::string a = out / "a.csv", b = out / "b.csv", c8 = out / "c.csv";
    struct Case {
        const char* name;
        std::wstring options;
        bool pipe;
        std::string csv;      // the file the lines are read from; "" for standard output
        std::string expected; // a line of the output, whole
    } cases[] = {
        {"comma in the CSV", L"/csv:" + Quoted(a), false, a,
         "\"" + base + "\\b,c.txt\",一致,一致,不一致"},
        {"outside the code page in the CSV", L"/all /csv:" + Quoted(b), false, b,
         base + "\\caf?.txt,一致,一致,不一致"},
        {"real name in the UTF-8 CSV", L"/all /utf8 /csv:" + Quoted(c8), false, c8,
         Utf8Of(WideOf(base) + L"\\caf\u00e9.txt," + WideOf("一致,一致,不一致"))},
        {"Japanese and a space to a pipe", L"/all", true, "",
         base + "\\my file.txt\t一致\t一致\t一致"},
        {"Japanese to a file", L"/all", false, "", base + "\\日本.txt\t一致\t一致\t一致"},
        {"missing target, Shift-JIS", L"", true, "",
         base + "\\sub\\deep\\only.txt\t見つからない\t見つからない\t見つからない"},
        {"UTF-8 lines to a pipe", L"/all /utf8", true, "",
         Utf8Of(WideOf(base) + L"\\caf\u00e9.txt\t" + WideOf("一致\t一致\t不一致"))},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunConsole(c.options + L" " + trees.Args(), c.pipe);
        std::string text = c.csv.empty() ? run.Out : ReadWholeFile(c.csv);
        bool found = false;
        for (const std::string& line : Lines(text))
            found = found || line == c.expected || line == "\xEF\xBB\xBF" + c.expected;
        EXPECT_TRUE(found) << c.name << "\n" << text;
        // Every line of a CSV file reads back as four fields, whatever its name holds.
        if (c.csv.empty()) continue;
        for (const std::string& line : Lines(text))
            EXPECT_EQ(CsvFields(line).size(), 4u) << c.name << ": " << line;
    }
}

TEST(Console, ByteLinesEqualTheViewsRows)
{
    TempFolder folder, out;
    struct Case {
        const char* name;
        std::string reference, target;
        int status;
    } cases[] = {
        {"one byte", "ABC", "AXC", 1},
        {"trailing zero bytes", "ABC", std::string("ABC\0\0\0", 6), 1},
        {"empty against a zero byte", "", std::string(1, '\0'), 1},
        {"comma, quote and line break cells", "a,\"\n", "b;'\r", 1},
        {"same", "same", "same", 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string number = std::to_string(n++);
        std::string r = folder.WriteFile("r" + number, c.reference);
        std::string t = folder.WriteFile("t" + number, c.target);
        ByteDifferenceList rows;
        DumpDifferences(r, t, rows);
        std::string expected = ByteCsvHeaderLine(CsvEncoding::ShiftJis);
        for (size_t i = 0; i < rows.size(); ++i)
            expected += ByteCsvLine(rows[i], CsvEncoding::ShiftJis);
        ConsoleRun run = RunConsole(L"/bytes /csv:" + Quoted(out / "bytes.csv") + L" " + Quoted(r) +
                                    L" " + Quoted(t));
        EXPECT_EQ(run.Status, c.status) << c.name;
        EXPECT_EQ(ReadWholeFile(out / "bytes.csv"), expected) << c.name;
    }
    ConsoleRun text = RunConsole(L"/bytes " + Quoted(folder / "r1") + L" " + Quoted(folder / "t1"));
    EXPECT_EQ(text.Out, "00000003\t\t00\t\t  0\t\t\r\n00000004\t\t00\t\t  0\t\t\r\n"
                        "00000005\t\t00\t\t  0\t\t\r\n");
}

TEST(Console, LargeFilesComparedInViewsReadAsTheyAre)
{
    // Files larger than one mapped view, equal or differing at a view's edge or their end.
    const int64_t size = static_cast<int64_t>(ViewWindowSize) + 40000;
    struct Case {
        const char* what;
        int64_t differsAt; // -1: nowhere
        int status;
        const char* line; // "" for no line
    } cases[] = {
        {"equal", -1, 0, ""},
        {"the first byte of the second view differs", static_cast<int64_t>(ViewWindowSize), 1,
         "big.bin\t一致\t一致\t不一致\r\n"},
        {"the last byte differs", size - 1, 1, "big.bin\t一致\t一致\t不一致\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder src, des;
        ASSERT_TRUE(MakeSparseFile(src / "big.bin", size));
        ASSERT_TRUE(MakeSparseFile(des / "big.bin", size));
        if (c.differsAt >= 0) {
            ASSERT_TRUE(PatchFile(des / "big.bin", c.differsAt, "d"));
        }
        for (const TempFolder* side : {&src, &des})
            ASSERT_TRUE(SetLocalWriteTime(*side / "big.bin", 2024, 1, 1, 9, 0, 0));
        ConsoleRun run = RunConsole(Quoted(src.Path) + L" " + Quoted(des.Path));
        EXPECT_EQ(run.Status, c.status) << c.what << ": " << run.Err;
        std::string line = *c.line ? WithoutSlash(src.Path) + "\\" + c.line : "";
        EXPECT_EQ(run.Out, line) << c.what;
    }
}

TEST(Console, NeverLinksTheWindowLibrary)
{
    // Without user32 the program cannot make a window, a message box or a message pump.
    std::string program = ReadWholeFile(CodePageText(ConsoleProgramPath()));
    ASSERT_GT(program.size(), 1024u);
    std::vector<std::string> libraries = ImportedLibraries(program);
    std::vector<std::string> expected = {"KERNEL32.dll", "msvcrt.dll"};
    EXPECT_EQ(libraries, expected);
}
