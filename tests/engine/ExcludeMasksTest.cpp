#include "engine/ExcludeMasks.h"

#include <gtest/gtest.h>

TEST(ExclusionRule, MasksMatchNamesAloneWithoutCaseAndFolderMasksOnlyFolders)
{
    const ExclusionRule rule({L"*.obj", L"Thumbs.db", L".git\\", L"bin\\", L"a?c.*", L"作業*"});
    struct Case {
        const wchar_t* name;
        bool isFolder, excluded;
    } cases[] = {
        {L"main.obj", false, true},      {L"MAIN.OBJ", false, true},
        {L"main.obj.txt", false, false}, {L"obj", false, false},
        {L"thumbs.DB", false, true},     {L"Thumbs.db.bak", false, false},
        {L".git", true, true},           {L".GIT", true, true},
        {L".git", false, false},         {L"bin", true, true},
        {L"bin", false, false},          {L"bin2", true, false},
        {L"abc.txt", false, true},       {L"abc", false, true}, // "name.*" takes no extension too
        {L"ac.txt", false, false},       {L"作業メモ.txt", false, true},
        // A mask without "\" names folders as well.
        {L"main.obj", true, true},       {L"Thumbs.db", true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.excluded, rule.Excludes(c.name, c.isFolder))
            << std::string(c.name, c.name + wcslen(c.name)) << (c.isFolder ? "\\" : "");
    EXPECT_FALSE(ExclusionRule().Excludes(L"anything", false));
    EXPECT_TRUE(ExclusionRule().Empty());
}

TEST(ExclusionRule, WildcardsAsThePlatformTakesThem)
{
    struct Case {
        const wchar_t *mask, *name;
        bool matches;
    } cases[] = {
        {L"*", L"x", true},         {L"*.*", L"noext", true},   {L"*.*", L"a.b", true},
        {L"*.", L"noext", true},    {L"*.", L"a.b", false},     {L"?", L"ab", false},
        {L"a*b*c", L"aXbYc", true}, {L"a*b*c", L"aXbY", false}, {L"**x", L"yyx", true},
        {L"*.TMP", L"a.tmp", true}, {L"ｱ*", L"ｱｲ", true},       {L"", L"x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.matches, MaskMatchesName(c.mask, c.name)) << "mask #" << (&c - cases);
}

TEST(ExclusionRule, EmptyAndInvalidMasksAreRefusedWithAReason)
{
    struct Case {
        const wchar_t* mask;
        bool usable;
    } cases[] = {
        {L"*.tmp", true}, {L"bin\\", true}, {L".git\\", true},   {L"Thumbs.db", true}, {L"", false},
        {L"   ", false},  {L"\\", false},   {L"a\\b", false},    {L"a/b", false},      {L"c:*.x", false},
        {L"a|b", false},  {L"<x>", false},  {L"bin\\\\", false}, {L"テンポ*.txt", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.usable, MaskProblem(c.mask).empty()) << "mask #" << (&c - cases);
    // An unusable mask in the store is skipped, never matched.
    EXPECT_TRUE(ExclusionRule({L"", L"a|b"}).Empty());
}
