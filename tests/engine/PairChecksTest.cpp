#include "engine/Util.h"
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"
#include "toolkit/MessageBoxes.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Records what the contents check shows.
struct SeenProgress : ContentsProgress {
    std::vector<int> Bars;
    std::vector<std::string> Texts;
    void SetProgressBar(int percent) override { Bars.push_back(percent); }
    void SetProgDisp(const std::string& text) override { Texts.push_back(text); }
};

// Two files with local write times; a pair of paths.
struct TimedPair {
    TempFolder Temp;
    std::string Reference, Target;
    TimedPair(const int (&r)[6], const int (&t)[6])
    {
        Reference = Temp.WriteFile("ref.txt", "same");
        Target = Temp.WriteFile("des.txt", "same");
        EXPECT_TRUE(SetLocalWriteTime(Reference, r[0], r[1], r[2], r[3], r[4], r[5]));
        EXPECT_TRUE(SetLocalWriteTime(Target, t[0], t[1], t[2], t[3], t[4], t[5]));
    }
};

DateVerdict DateOf(const int (&r)[6], const int (&t)[6])
{
    TimedPair pair(r, t);
    return CompareDate(pair.Reference, pair.Target);
}

} // namespace

TEST(DosFileTime, PacksLocalTimeAndRefusesWhatTheFormatCannotHold)
{
    TempFolder temp;
    std::string file = temp.WriteFile("t.txt", "t");
    ASSERT_TRUE(SetLocalWriteTime(file, 2024, 5, 17, 10, 30, 45));
    int32_t expected = ((2024 - 1980) << 25) | (5 << 21) | (17 << 16) | (10 << 11) | (30 << 5) | 22;
    EXPECT_EQ(DosFileTime(file), expected);

    EXPECT_EQ(DosFileTime(temp.MakeFolder("dir")), -1);
    EXPECT_EQ(DosFileTime(temp / "missing.txt"), -1);
    ASSERT_TRUE(SetLocalWriteTime(file, 1979, 12, 31, 23, 59, 58));
    EXPECT_EQ(DosFileTime(file), -1);
    ASSERT_TRUE(SetLocalWriteTime(file, 2108, 1, 1, 0, 0, 0)); // Wine would wrap it to 1980
    EXPECT_EQ(DosFileTime(file), -1);
    ASSERT_TRUE(SetLocalWriteTime(file, 2107, 12, 31, 23, 59, 58));
    EXPECT_NE(DosFileTime(file), -1);
    // Existence does not hang on the time.
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(temp / "dir"));
    EXPECT_FALSE(FileExists(temp / "missing.txt"));
}

TEST(CompareDate, VerdictsByTwoSecondSteps)
{
    struct Case {
        const char* what;
        int reference[6], target[6];
        DateVerdict expected;
    } cases[] = {
        {"same step", {2024, 3, 1, 10, 0, 2}, {2024, 3, 1, 10, 0, 3}, dvSame},
        {"one step later", {2024, 3, 1, 10, 0, 2}, {2024, 3, 1, 10, 0, 4}, dvOSError},
        {"one step earlier", {2024, 3, 1, 10, 0, 4}, {2024, 3, 1, 10, 0, 2}, dvOSError},
        {"across a minute", {2024, 3, 1, 10, 0, 58}, {2024, 3, 1, 10, 1, 0}, dvOSError},
        {"across a minute, back", {2024, 3, 1, 10, 1, 0}, {2024, 3, 1, 10, 0, 58}, dvOSError},
        {":59 against :00", {2024, 3, 1, 10, 0, 59}, {2024, 3, 1, 10, 1, 0}, dvOSError},
        {"across an hour", {2024, 3, 1, 10, 59, 59}, {2024, 3, 1, 11, 0, 0}, dvOSError},
        {"across a day", {2024, 2, 29, 23, 59, 58}, {2024, 3, 1, 0, 0, 0}, dvOSError},
        {"across a year", {2024, 12, 31, 23, 59, 58}, {2025, 1, 1, 0, 0, 1}, dvOSError},
        {"two steps across a minute", {2024, 3, 1, 10, 0, 58}, {2024, 3, 1, 10, 1, 2}, dvNewer},
        {"same second, other minute", {2024, 3, 1, 10, 0, 30}, {2024, 3, 1, 10, 1, 30}, dvNewer},
        {"three steps", {2024, 3, 1, 10, 0, 0}, {2024, 3, 1, 10, 0, 6}, dvNewer},
        {"older by a minute", {2024, 3, 1, 10, 1, 0}, {2024, 3, 1, 10, 0, 0}, dvOlder},
        // The DOS value's sign bit is set from 2044 on; time order still holds.
        {"past 2044", {2043, 6, 1, 0, 0, 0}, {2045, 6, 1, 0, 0, 0}, dvNewer},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateOf(c.reference, c.target), c.expected) << c.what;
}

TEST(CompareDate, YearsOutsideTheDosRangeStillCompare)
{
    EXPECT_EQ(DateOf({1979, 6, 1, 12, 0, 0}, {1979, 6, 1, 12, 0, 0}), dvSame);
    EXPECT_EQ(DateOf({1979, 6, 1, 12, 0, 0}, {1979, 6, 1, 12, 0, 2}), dvOSError);
    EXPECT_EQ(DateOf({1979, 6, 1, 12, 0, 0}, {2024, 1, 1, 0, 0, 0}), dvNewer);
    EXPECT_EQ(DateOf({2110, 1, 1, 0, 0, 0}, {2024, 1, 1, 0, 0, 0}), dvOlder);
    EXPECT_EQ(DateOf({2024, 1, 1, 0, 0, 0}, {2110, 1, 1, 0, 0, 0}), dvNewer);

    TimedPair old({1979, 6, 1, 12, 0, 0}, {2110, 1, 1, 0, 0, 0});
    EXPECT_EQ(CompareSize(old.Reference, old.Target), svSame);
    SeenProgress progress;
    EXPECT_EQ(CompareContents(old.Reference, old.Target, progress), cvSame);
}

TEST(CompareSize, VerdictsAndFullSizes)
{
    TempFolder temp;
    std::string reference = temp.WriteFile("r", std::string(100, 'r'));
    EXPECT_EQ(CompareSize(reference, temp.WriteFile("same", std::string(100, 's'))), svSame);
    EXPECT_EQ(CompareSize(reference, temp.WriteFile("big", std::string(101, 'b'))), svLarger);
    EXPECT_EQ(CompareSize(reference, temp.WriteFile("small", std::string(99, 's'))), svSmaller);
    EXPECT_EQ(FileSizeOf(reference), 100);

    // 4 GiB + 10 bytes is not 10 bytes, though the low 32 bits agree.
    std::string huge = temp / "huge";
    if (!MakeSparseFile(huge, (int64_t{1} << 32) + 10)) GTEST_SKIP() << "no 4 GiB file here";
    std::string ten = temp.WriteFile("ten", std::string(10, '\0'));
    EXPECT_EQ(FileSizeOf(huge), (int64_t{1} << 32) + 10);
    EXPECT_EQ(CompareSize(huge, ten), svSmaller);
    EXPECT_EQ(CompareSize(ten, huge), svLarger);
    SeenProgress progress;
    EXPECT_EQ(CompareContents(huge, ten, progress), cvDiffer);
    EXPECT_EQ(progress.Bars, std::vector<int>{0});
}

TEST(CompareContents, ProgressOverAFileBeyond4GiBUsesItsFullSize)
{
    TempFolder temp;
    int64_t size = (int64_t{1} << 32) + 10;
    std::string reference = temp / "ref", target = temp / "des";
    if (!MakeSparseFile(reference, size) || !MakeSparseFile(target, size))
        GTEST_SKIP() << "no 4 GiB files here";
    // A difference in the second block; with only the low 32 bits (10) as the total the
    // second value would be far beyond 100.
    ASSERT_TRUE(PatchFile(target, CompareBlockSize + 1, "x"));
    SeenProgress progress;
    EXPECT_EQ(CompareContents(reference, target, progress), cvDiffer);
    EXPECT_EQ(progress.Bars, (std::vector<int>{0, 0}));
    EXPECT_EQ(progress.Texts.back(), "0%");
}

TEST(CompareContents, EqualAndDifferingFiles)
{
    TempFolder temp;
    std::string empty1 = temp.WriteFile("e1", ""), empty2 = temp.WriteFile("e2", "");
    std::string text = temp.WriteFile("text", "abcdef");
    std::string prefix = temp.WriteFile("prefix", "abc");
    {
        SeenProgress p;
        EXPECT_EQ(CompareContents(empty1, empty2, p), cvSame);
        EXPECT_EQ(p.Texts, std::vector<std::string>{"0%"});
    }
    {
        SeenProgress p;
        EXPECT_EQ(CompareContents(empty1, text, p), cvDiffer);
    }
    {
        SeenProgress p;
        EXPECT_EQ(CompareContents(text, prefix, p), cvDiffer);
        EXPECT_EQ(CompareContents(prefix, text, p), cvDiffer);
    }
    {
        // One whole block: a second pass reads nothing and shows 100%.
        std::string block(CompareBlockSize, 'q');
        SeenProgress p;
        EXPECT_EQ(CompareContents(temp.WriteFile("b1", block), temp.WriteFile("b2", block), p),
                  cvSame);
        EXPECT_EQ(p.Bars, (std::vector<int>{0, 100}));
        EXPECT_EQ(p.Texts, (std::vector<std::string>{"0%", "100%"}));
    }
    {
        // Three blocks, a difference in the second: the bar stays at that block's value.
        std::string bytes(3 * CompareBlockSize, 'z');
        std::string changed = bytes;
        changed[CompareBlockSize + 5] = 'Z';
        SeenProgress p;
        EXPECT_EQ(CompareContents(temp.WriteFile("c1", bytes), temp.WriteFile("c2", changed), p),
                  cvDiffer);
        EXPECT_EQ(p.Bars, (std::vector<int>{0, 33}));
        EXPECT_EQ(p.Texts.back(), "33%");
    }
    {
        // Equal except the very last byte.
        std::string bytes(CompareBlockSize + 1, 'l');
        std::string changed = bytes;
        changed.back() = 'L';
        SeenProgress p;
        EXPECT_EQ(CompareContents(temp.WriteFile("l1", bytes), temp.WriteFile("l2", changed), p),
                  cvDiffer);
        EXPECT_EQ(p.Bars, (std::vector<int>{0, 99}));
    }
}

TEST(PairChecks, TargetThatIsMissingOrAFolderIsNotFound)
{
    TempFolder temp;
    std::string reference = temp.WriteFile("a.txt", "a");
    temp.MakeFolder("folder.txt");
    for (const std::string& target : {temp / "folder.txt", temp / "missing.txt"}) {
        SeenProgress p;
        EXPECT_EQ(CompareDate(reference, target), dvNotFound) << target;
        EXPECT_EQ(CompareSize(reference, target), svNotFound) << target;
        EXPECT_EQ(CompareContents(reference, target, p), cvNotFound) << target;
        EXPECT_TRUE(p.Bars.empty());
    }
    // Deleted between its lookup and the contents check: missing, not in use.
    std::string vanishing = temp.WriteFile("b.txt", "a");
    FileFacts facts = LookUpFile(vanishing);
    ASSERT_TRUE(DeleteFileA(vanishing.c_str()));
    SeenProgress p;
    EXPECT_EQ(CompareContents(reference, LookUpFile(reference), vanishing, facts, p), cvNotFound);
}

TEST(PairChecks, FileHeldWithoutSharingIsInUseForContentsOnly)
{
    TempFolder temp;
    EXPECT_TRUE(IsFileInUse(temp / "missing.txt"));
    // Small files are read, large ones compared in mapped views: both are opened first.
    for (size_t size : {size_t{7}, size_t{2} << 20}) {
        std::string name = std::to_string(size);
        std::string reference = temp.WriteFile("ref" + name, std::string(size, 'c'));
        std::string target = temp.WriteFile("des" + name, std::string(size + 1, 'c'));
        ASSERT_TRUE(SetLocalWriteTime(reference, 2024, 1, 1, 9, 0, 0));
        ASSERT_TRUE(SetLocalWriteTime(target, 2024, 1, 1, 9, 0, 0));
        EXPECT_FALSE(IsFileInUse(reference));
        for (const std::string& held : {reference, target}) {
            HANDLE lock =
                CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
            SeenProgress p;
            EXPECT_TRUE(IsFileInUse(held));
            EXPECT_EQ(CompareContents(reference, target, p), cvInUse) << held;
            EXPECT_EQ(CompareDate(reference, target), dvSame);
            EXPECT_EQ(CompareSize(reference, target), svLarger);
            CloseHandle(lock);
        }
        // Nothing stays open after the checks, a mapping of the file included.
        SeenProgress p;
        EXPECT_EQ(CompareContents(reference, reference, p), cvSame);
        HANDLE exclusive =
            CreateFileA(reference.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(exclusive, INVALID_HANDLE_VALUE) << size;
        CloseHandle(exclusive);
    }
}

TEST(PairChecks, LookUpTakesTheExactPathNotAPattern)
{
    TempFolder temp;
    std::string real = temp.WriteFile("q1.txt", "real");
    FileFacts facts = LookUpFile(real);
    EXPECT_TRUE(facts.IsFile());
    EXPECT_EQ(facts.Size, 4);
    // "?" is a wildcard to a directory search, which would find q1.txt.
    EXPECT_FALSE(LookUpFile(temp / "q?.txt").Found);
    // No such name can be looked up; a missing file or folder is just not there.
    EXPECT_TRUE(LookUpFile(temp / "q?.txt").Unreachable());
    EXPECT_FALSE(LookUpFile(temp / "missing.txt").Unreachable());
    EXPECT_FALSE(LookUpFile(temp / "missing\\x.txt").Unreachable());
    EXPECT_FALSE(FileExists(temp / "q?.txt"));
    SeenProgress p;
    EXPECT_EQ(CompareContents(real, temp / "q?.txt", p), cvNotFound);
    EXPECT_TRUE(LookUpFile(temp.MakeFolder("d")).IsFolder());
}

TEST(CompareContents, ReadFailureAfterOpeningThrowsAndClosesBoth)
{
    // Linux's memory file of this very process opens but fails to read at offset 0.
    const std::string unreadable = "Z:\\proc\\self\\mem";
    if (!LookUpFile(unreadable).IsFile()) GTEST_SKIP() << "no " << unreadable;
    TempFolder temp;
    std::string target = temp.WriteFile("t.bin", std::string(100, 't'));
    SeenProgress p;
    DWORD code = 0;
    try {
        CompareContents(unreadable, target, p);
        ADD_FAILURE() << "the read failure was not reported";
    } catch (const IoFailure& failure) {
        code = failure.Code;
    }
    EXPECT_NE(code, 0u);
    HANDLE exclusive =
        CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE) << "the target stayed open";
    CloseHandle(exclusive);
}

TEST(CompareContents, LargeAndEmptyFilesAgainstEachOther)
{
    TempFolder temp;
    const int64_t large = int64_t{2} << 20;            // 64 blocks
    const int64_t beyond4GiB = (int64_t{1} << 32) + 1; // 131,072 blocks and one byte
    struct Case {
        const char* what;
        int64_t referenceSize, targetSize;
        int64_t differsAt; // -1: nowhere
        ContentsVerdict verdict;
        size_t bars; // one per block compared, and one for an equal pair's empty last pass
        int lastBar;
    } cases[] = {
        {"empty against large", 0, large, -1, cvDiffer, 1, 0},
        {"large against empty", large, 0, -1, cvDiffer, 1, 0},
        {"large pair, last byte differs", large, large, large - 1, cvDiffer, 64, 98},
        {"large pair, equal", large, large, -1, cvSame, 65, 100},
        {"4 GiB + 1, last byte differs", beyond4GiB, beyond4GiB, beyond4GiB - 1, cvDiffer, 131073,
         99},
    };
    for (const Case& c : cases) {
        std::string reference = temp / "ref.bin", target = temp / "des.bin";
        ASSERT_TRUE(MakeSparseFile(reference, c.referenceSize)) << c.what;
        ASSERT_TRUE(MakeSparseFile(target, c.targetSize)) << c.what;
        if (c.differsAt >= 0) {
            ASSERT_TRUE(PatchFile(target, c.differsAt, "x"));
        }
        SeenProgress p;
        EXPECT_EQ(CompareContents(reference, target, p), c.verdict) << c.what;
        EXPECT_EQ(p.Bars.size(), c.bars) << c.what;
        ASSERT_FALSE(p.Bars.empty()) << c.what;
        EXPECT_EQ(p.Bars.back(), c.lastBar) << c.what;
        EXPECT_EQ(p.Texts.back(), std::to_string(c.lastBar) + "%") << c.what;
        DeleteFileA(reference.c_str());
        DeleteFileA(target.c_str());
    }
}

namespace {
// Runs a change to the files when the check shows the given block's percentage.
struct ChangingProgress : SeenProgress {
    size_t AtBlock;
    std::function<void()> Change;
    void SetProgressBar(int percent) override
    {
        SeenProgress::SetProgressBar(percent);
        if (Bars.size() == AtBlock) Change();
    }
};
} // namespace

namespace {
// Sets a file's length through another handle, as another Windows program would; the
// error, or 0.
DWORD CutFromWindows(const std::string& path, int64_t size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER to;
    to.QuadPart = size;
    DWORD error =
        SetFilePointerEx(h, to, nullptr, FILE_BEGIN) && SetEndOfFile(h) ? 0 : GetLastError();
    CloseHandle(h);
    return error;
}
} // namespace

TEST(CompareContents, FilesThatChangeLengthWhileCompared)
{
    std::string missing = MissingLinuxProgram("truncate");
    ASSERT_TRUE(missing.empty()) << missing;
    TempFolder temp;
    const int64_t size = int64_t{3} << 20; // compared in a view
    std::string reference, target;
    auto grow = [size](const std::string* path) {
        return [path, size] { ASSERT_TRUE(PatchFile(*path, size, "more")); };
    };
    // Linux cuts a file anywhere, under a view too.
    auto cut = [](const std::string* path, int64_t size) {
        return [path, size] { ASSERT_TRUE(ResizeFromLinux(*path, size)); };
    };
    // Windows (and Wine) refuse to cut a file while a mapping of it is open.
    auto cutFromWindows = [](const std::string* path, int64_t size, DWORD error) {
        return [path, size, error] { ASSERT_EQ(CutFromWindows(*path, size), error); };
    };
    struct Case {
        const char* what;
        std::vector<std::function<void()>> changes;
        ContentsVerdict verdict;
    } cases[] = {
        {"the reference grows", {grow(&reference)}, cvDiffer},
        {"the target grows", {grow(&target)}, cvDiffer},
        {"both grow alike", {grow(&reference), grow(&target)}, cvSame},
        {"the reference is cut inside the next block", {cut(&reference, 40000)}, cvDiffer},
        {"the target is cut inside the next block", {cut(&target, 40000)}, cvDiffer},
        {"the target is cut far ahead", {cut(&target, int64_t{2} << 20)}, cvDiffer},
        {"both are cut alike", {cut(&reference, 40000), cut(&target, 40000)}, cvSame},
        {"the reference is emptied", {cut(&reference, 0)}, cvDiffer},
        {"no other program may cut the reference while it is mapped",
         {cutFromWindows(&reference, 40000, ERROR_USER_MAPPED_FILE)},
         cvSame},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = std::to_string(n++);
        reference = temp / ("r" + name);
        target = temp / ("t" + name);
        ASSERT_TRUE(MakeSparseFile(reference, size) && MakeSparseFile(target, size));
        ChangingProgress p;
        p.AtBlock = 2;
        p.Change = [&c] {
            for (const auto& change : c.changes)
                change();
        };
        ContentsVerdict verdict = cvNotCompared;
        try {
            verdict = CompareContents(reference, target, p);
        } catch (const IoFailure& failure) {
            ADD_FAILURE() << c.what << ": read error " << failure.Code;
        }
        EXPECT_EQ(verdict, c.verdict) << c.what;
        EXPECT_GE(p.Bars.size(), 2u) << c.what;
        DeleteFileA(reference.c_str());
        DeleteFileA(target.c_str());
    }
}
