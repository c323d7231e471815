#include "engine/Util.h"
#include "tests/common/TempFolder.h"
#include "toolkit/MessageBoxes.h"

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

// A file of the given size without writing its bytes; false when the disk refuses.
bool MakeSparseFile(const std::string& path, int64_t size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER to;
    to.QuadPart = size;
    bool ok = SetFilePointerEx(h, to, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

// Writes bytes at an offset of an existing file.
void Patch(const std::string& path, int64_t offset, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER to;
    to.QuadPart = offset;
    DWORD written = 0;
    SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
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
    Patch(target, CompareBlockSize + 1, "x");
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
    std::string reference = temp.WriteFile("ref.txt", "content");
    std::string target = temp.WriteFile("des.txt", "content!");
    ASSERT_TRUE(SetLocalWriteTime(reference, 2024, 1, 1, 9, 0, 0));
    ASSERT_TRUE(SetLocalWriteTime(target, 2024, 1, 1, 9, 0, 0));
    EXPECT_FALSE(IsFileInUse(reference));
    EXPECT_TRUE(IsFileInUse(temp / "missing.txt"));

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
    // Nothing stays open after the checks.
    HANDLE exclusive =
        CreateFileA(reference.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
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
