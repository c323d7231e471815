#include "textdiff/CharDiff.h"
#include "textdiff/UnifiedDiff.h"
#include "tests/textdiff/TextSamples.h"

#include <gtest/gtest.h>

namespace {
std::string Unified(const std::string& a, const std::string& b, TextOptions options = {})
{
    TextFile left = TextOf(a, LineBreaks::LfOnly), right = TextOf(b, LineBreaks::LfOnly);
    std::string out;
    AppendUnifiedDiff(left, right, DiffTextFiles(left, right, options), "a", "b", out);
    return out;
}

TEST(UnifiedDiff, WritesWhatDiffUWrites)
{
    struct Case {
        const char* Name;
        std::string A, B, Expected;
    } cases[] = {
        {"same", "x\n", "x\n", ""},
        {"one line changed", "1\n2\n3\n", "1\nX\n3\n", "--- a\n+++ b\n@@ -1,3 +1,3 @@\n 1\n-2\n+X\n 3\n"},
        {"into an empty file", "", "x\n", "--- a\n+++ b\n@@ -0,0 +1 @@\n+x\n"},
        {"all removed", "x\ny\n", "", "--- a\n+++ b\n@@ -1,2 +0,0 @@\n-x\n-y\n"},
        {"no newline at end", "x\n", "x",
         "--- a\n+++ b\n@@ -1 +1 @@\n-x\n+x\n\\ No newline at end of file\n"},
        {"crlf and shift-jis kept as they are", "表\r\nソ\r\n", "表\r\nポ\r\n",
         "--- a\n+++ b\n@@ -1,2 +1,2 @@\n 表\r\n-ソ\r\n+ポ\r\n"},
        {"changes far apart are two hunks",
         "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "X\n2\n3\n4\n5\n6\n7\n8\n9\nY\n",
         "--- a\n+++ b\n@@ -1,4 +1,4 @@\n-1\n+X\n 2\n 3\n 4\n@@ -7,4 +7,4 @@\n 7\n 8\n 9\n-10\n+Y\n"},
        {"changes six lines apart are one hunk", "1\n2\n3\n4\n5\n6\n7\n8\n", "X\n2\n3\n4\n5\n6\n7\nY\n",
         "--- a\n+++ b\n@@ -1,8 +1,8 @@\n-1\n+X\n 2\n 3\n 4\n 5\n 6\n 7\n-8\n+Y\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Unified(c.A, c.B), c.Expected);
    }
}

TEST(UnifiedDiff, LeavesOutWhatTheOptionsIgnoreUnlessAChangeStandsNextToIt)
{
    const TextOptions blank{false, false, false, true}, space{false, true};
    EXPECT_EQ(Unified("a\n\nb\n", "a\nb\n", blank), "");
    EXPECT_EQ(Unified("a \n", "a\n", space), "");
    // A blank line gone beside a real change is written with it, so the hunk still applies.
    EXPECT_EQ(Unified("a\n\nb\nc\n", "a\nb\nX\n", blank),
              "--- a\n+++ b\n@@ -1,4 +1,3 @@\n a\n-\n b\n-c\n+X\n");
}

TEST(UnifiedDiff, TimesAreLocalWithNanosecondsAndZone)
{
    // 2026-12-10 04:41:39.1234567 UTC; the tests run in Asia/Tokyo.
    SYSTEMTIME utc{2026, 12, 4, 10, 4, 41, 39, 0};
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    uint64_t ticks = ((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) +
                     1234567;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    EXPECT_EQ(DiffTimeText(time), "2026-12-10 13:41:39.123456700 +0900");
}

struct Spans {
    std::vector<std::wstring> A, B;
};

Spans Highlights(const std::wstring& a, const std::wstring& b, TextOptions options = {})
{
    CharDifferences d = DiffCharacters(a, b, options);
    Spans spans;
    for (const CharSpan& s : d.A)
        spans.A.push_back(a.substr(s.Begin, s.End - s.Begin));
    for (const CharSpan& s : d.B)
        spans.B.push_back(b.substr(s.Begin, s.End - s.Begin));
    return spans;
}

TEST(CharDiff, HighlightsWordsOfLatinAndCharactersOfJapanese)
{
    struct Case {
        std::wstring A, B;
        std::vector<std::wstring> ExpectedA, ExpectedB;
        TextOptions Options;
    } cases[] = {
        {L"static void sigpipe_init(void)", L"static int sigpipe_init(void)", {L"void"}, {L"int"}, {}},
        {L"表示能力の改善", L"表示機能の改善", {L"力"}, {L"機"}, {}},
        {L"count = 120;", L"count = 125;", {L"120"}, {L"125"}, {}},
        {L"\xD842\xDFB7野家", L"吉野家", {L"\xD842\xDFB7"}, {L"吉"}, {}},
        {L"a  =  b", L"a = c", {L"b"}, {L"c"}, TextOptions{false, true}},
        {L"Size", L"size", {}, {}, TextOptions{false, false, false, false, true}},
        {L"ｶﾞｽ", L"ガス", {}, {}, TextOptions{false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        Spans spans = Highlights(c.A, c.B, c.Options);
        EXPECT_EQ(spans.A, c.ExpectedA);
        EXPECT_EQ(spans.B, c.ExpectedB);
    }
}
} // namespace
