#include "filebytes/BlockReader.h"
#include "filebytes/FirstDifference.h"
#include "tests/common/LinuxShell.h"
#include "tests/common/TempFolder.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr DWORD Block = 32768;

// Bytes that differ from their neighbours, so a block out of place shows.
std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + (i >> 12));
    return bytes;
}

struct HeldFile {
    HANDLE Handle;
    int64_t Size = 0;
    explicit HeldFile(const std::string& path)
        : Handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr))
    {
        LARGE_INTEGER size{};
        if (Handle != INVALID_HANDLE_VALUE && GetFileSizeEx(Handle, &size)) Size = size.QuadPart;
    }
    ~HeldFile()
    {
        if (Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    }
};

// Every block of a file up to the first empty one, and where the blocks came from.
struct Blocks {
    std::string Bytes;
    std::vector<DWORD> Counts;
    int FromView = 0;
};

Blocks ReadThrough(const std::string& path, ReadRoute route)
{
    HeldFile file(path);
    EXPECT_NE(file.Handle, INVALID_HANDLE_VALUE) << path;
    Blocks blocks;
    BlockReader reader(file.Handle, file.Size, Block, route);
    DWORD count = 0;
    do {
        const uint8_t* block = reader.Next(count);
        blocks.Bytes.append(reinterpret_cast<const char*>(block), count);
        blocks.Counts.push_back(count);
        blocks.FromView += reader.FromView() && count > 0;
    } while (count > 0);
    // Past the end the blocks stay empty.
    reader.Next(count);
    EXPECT_EQ(count, 0u) << path;
    return blocks;
}

// The next block as a string.
std::string NextBytes(BlockReader& reader, DWORD& count)
{
    const uint8_t* block = reader.Next(count);
    return std::string(reinterpret_cast<const char*>(block), count);
}
} // namespace

TEST(FirstDifference, FindsTheFirstDifferingByteAtEveryPlaceOfA16ByteStep)
{
    struct Case {
        size_t count;
        size_t differs; // where b differs from a; count when nowhere
    } cases[] = {
        {0, 0},    {1, 1},     {1, 0},      {15, 15},     {16, 16},       {16, 15},
        {17, 16},  {63, 62},   {64, 64},    {64, 63},     {65, 64},       {128, 64},
        {1000, 0}, {1000, 17}, {1000, 999}, {1000, 1000}, {32768, 32767}, {32768, 16384},
    };
    for (const Case& c : cases) {
        std::string a = Pattern(c.count + 1), b = a;
        // A byte beyond the count differs too: the scan stops at the count.
        b[c.count] = static_cast<char>(b[c.count] ^ 0x01);
        if (c.differs < c.count) b[c.differs] = static_cast<char>(b[c.differs] ^ 0x80);
        EXPECT_EQ(FirstDifference(reinterpret_cast<const uint8_t*>(a.data()),
                                  reinterpret_cast<const uint8_t*>(b.data()), c.count),
                  c.differs)
            << "count " << c.count << ", differing at " << c.differs;
    }
}

TEST(BlockReader, EveryRouteGivesTheWholeFileInWholeBlocks)
{
    TempFolder temp;
    // Beyond one view: patched bytes at the last byte of the first view, the first of the
    // second and the file's last.
    const int64_t twoViews = static_cast<int64_t>(ViewWindowSize) + 40000;
    std::string big = temp / "views.bin";
    ASSERT_TRUE(MakeSparseFile(big, twoViews));
    std::string expectedBig(static_cast<size_t>(twoViews), '\0');
    for (int64_t at : {static_cast<int64_t>(ViewWindowSize) - 1,
                       static_cast<int64_t>(ViewWindowSize), twoViews - 1}) {
        ASSERT_TRUE(PatchFile(big, at, "v"));
        expectedBig[static_cast<size_t>(at)] = 'v';
    }
    const size_t sizes[] = {0,
                            1,
                            Block - 1,
                            Block,
                            Block + 1,
                            static_cast<size_t>(MappedReadMinimum) - 1,
                            static_cast<size_t>(MappedReadMinimum),
                            static_cast<size_t>(MappedReadMinimum) + Block + 5};
    struct Route {
        ReadRoute route;
        const char* name;
    } routes[] = {
        {ReadRoute::Chosen, "chosen"}, {ReadRoute::Reads, "reads"}, {ReadRoute::Views, "views"}};
    for (const Route& r : routes) {
        for (size_t size : sizes) {
            std::string bytes = Pattern(size);
            Blocks blocks = ReadThrough(temp.WriteFile("f" + std::to_string(size), bytes), r.route);
            std::string what = std::string(r.name) + ", " + std::to_string(size) + " bytes";
            EXPECT_TRUE(blocks.Bytes == bytes) << what;
            std::vector<DWORD> counts(size / Block, Block);
            if (size % Block) counts.push_back(size % Block);
            counts.push_back(0);
            EXPECT_EQ(blocks.Counts, counts) << what;
            bool views =
                size > 0 &&
                (r.route == ReadRoute::Views ||
                 (r.route == ReadRoute::Chosen && static_cast<int64_t>(size) >= MappedReadMinimum));
            EXPECT_EQ(blocks.FromView, views ? static_cast<int>(counts.size()) - 1 : 0) << what;
        }
        Blocks blocks = ReadThrough(big, r.route);
        EXPECT_TRUE(blocks.Bytes == expectedBig) << r.name << ", two views";
        EXPECT_EQ(blocks.Counts.size(), static_cast<size_t>(twoViews / Block + 2)) << r.name;
    }
}

TEST(BlockReader, WhatThePlatformWillNotMapIsRead)
{
    TempFolder temp;
    // Linux reports its own files as empty although they hold text.
    const std::string listed = "Z:\\proc\\version";
    std::string text = ReadWholeFile(listed);
    if (text.empty()) GTEST_SKIP() << "no " << listed;
    struct Case {
        const char* what;
        std::string path;
        int64_t toldSize; // the size the reader is given
        std::string bytes;
    } cases[] = {
        {"a file Linux reports as empty", listed, 0, text},
        {"an empty file", temp.WriteFile("empty", ""), 0, ""},
        // Cut before its first view was made: no mapping larger than a file is made.
        {"a file shorter than its size was", temp.WriteFile("cut", "ten bytes!"),
         2 * MappedReadMinimum, "ten bytes!"},
    };
    for (const Case& c : cases) {
        HeldFile file(c.path);
        BlockReader reader(file.Handle, c.toldSize, Block, ReadRoute::Views);
        std::string seen;
        DWORD count = 0;
        do {
            seen += NextBytes(reader, count);
            EXPECT_FALSE(reader.FromView()) << c.what;
        } while (count > 0);
        EXPECT_EQ(seen, c.bytes) << c.what;
    }
}

TEST(BlockReader, AViewWhoseFileWasCutFaultsAndIsReadAgain)
{
    std::string missing = MissingLinuxProgram("truncate");
    ASSERT_TRUE(missing.empty()) << missing;
    TempFolder temp;
    std::string path =
        temp.WriteFile("shrinks", Pattern(2 * static_cast<size_t>(MappedReadMinimum)));
    HeldFile file(path);
    BlockReader reader(file.Handle, file.Size, Block, ReadRoute::Views);
    DWORD count = 0;
    reader.Next(count);
    // Cut to 40,000 bytes after the first block: the second block's view holds pages past
    // the new end, whose reading faults; read again, the block is what is left.
    ASSERT_TRUE(ResizeFromLinux(path, 40000));
    const uint8_t* block = reader.Next(count);
    ASSERT_TRUE(reader.FromView());
    ASSERT_EQ(count, Block);
    EXPECT_EQ(FirstDifference(block, block, count), ReadFaulted);
    block = reader.Reread(count);
    EXPECT_FALSE(reader.FromView());
    EXPECT_TRUE(std::string(reinterpret_cast<const char*>(block), count) ==
                Pattern(40000).substr(Block));
    reader.Next(count);
    EXPECT_EQ(count, 0u);
}
