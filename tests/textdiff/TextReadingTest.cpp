#include "tests/textdiff/TextSamples.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct ReadingCase {
    const char* Name;
    std::string Bytes;
    TextEncoding Encoding;
    size_t Bom;
    EndingStyle Endings;
    std::vector<std::wstring> Lines;
};

// Plain literals are Shift-JIS here (the sources compile to code page 932); u8 are UTF-8.
const ReadingCase ReadingCases[] = {
    {"empty", "", TextEncoding::Ascii, 0, EndingStyle::None, {}},
    {"ascii, no final newline", "a\nb", TextEncoding::Ascii, 0, EndingStyle::Lf, {L"a", L"b"}},
    {"utf-8 bom", "\xEF\xBB\xBF" "x\r\n", TextEncoding::Utf8, 3, EndingStyle::CrLf, {L"x"}},
    {"utf-16le bom", std::string("\xFF\xFE" "a\0\r\0\n\0\x68\x88", 10), TextEncoding::Utf16Le, 2,
     EndingStyle::CrLf, {L"a", L"\x8868"}},
    {"utf-16be bom", std::string("\xFE\xFF\0a\0\n", 6), TextEncoding::Utf16Be, 2, EndingStyle::Lf,
     {L"a"}},
    {"utf-8 without bom", u8"表示\nソ\n", TextEncoding::Utf8, 0, EndingStyle::Lf,
     {L"表示", L"ソ"}},
    // 表 95 5C, ソ 83 5C, ポ 83 7C: the trail bytes are "\" and "|" in ASCII.
    {"shift-jis with 5C and 7C trail bytes", "表\\ソ|ポ\r\n", TextEncoding::ShiftJis, 0,
     EndingStyle::CrLf, {L"表\\ソ|ポ"}},
    // E3 82 A2 is ア in UTF-8 and 繰｢ in Shift-JIS: UTF-8 comes first.
    {"utf-8 that is valid shift-jis too", u8"ア", TextEncoding::Utf8, 0, EndingStyle::None,
     {L"ア"}},
    {"half-width katakana is shift-jis", "ｶﾀｶﾅ", TextEncoding::ShiftJis, 0, EndingStyle::None,
     {L"ｶﾀｶﾅ"}},
    {"euc-jp", "\xC6\xFC\xCB\xDC\xB8\xEC\n\x8E\xB6\n", TextEncoding::EucJp, 0, EndingStyle::Lf,
     {L"日本語", L"ｶ"}},
    {"iso-2022-jp, a 5C inside kanji", "\x1B$BF|K\\8l\x1B(B a\n\x1B$B$\"\x1B(B\n",
     TextEncoding::Iso2022Jp, 0, EndingStyle::Lf, {L"日本語 a", L"あ"}},
    {"iso-2022-jp, kanji carried over a line end", "\x1B$BF|\nK\\\x1B(B\n",
     TextEncoding::Iso2022Jp, 0, EndingStyle::Lf, {L"日", L"本"}},
    {"mixed endings", "a\r\nb\nc\rd\r", TextEncoding::Ascii, 0, EndingStyle::Mixed,
     {L"a", L"b", L"c", L"d"}},
    {"a zero byte is binary", std::string("a\0b", 3), TextEncoding::Binary, 0, EndingStyle::None,
     {}},
    {"no encoding reads it", "\x80\xFF\xFE\xA0", TextEncoding::Binary, 0, EndingStyle::None, {}},
};

TEST(TextReading, DetectsEncodingEndingsAndLines)
{
    for (const ReadingCase& c : ReadingCases) {
        SCOPED_TRACE(c.Name);
        TextFile file = TextOf(c.Bytes);
        EXPECT_EQ(file.Encoding.Encoding, c.Encoding);
        EXPECT_EQ(file.Encoding.BomLength, c.Bom);
        EXPECT_EQ(file.Endings, c.Endings);
        ASSERT_EQ(file.Lines.size(), c.Lines.size());
        std::string again;
        for (size_t i = 0; i < file.Lines.size(); ++i) {
            EXPECT_EQ(file.LineText(i), c.Lines[i]);
            again += file.LineBytes(i, true);
        }
        // The lines hold every byte of the file, in order.
        if (!file.IsBinary()) {
            EXPECT_EQ(again, c.Bytes);
        }
    }
}

TEST(TextReading, LfOnlyKeepsALoneCrInsideItsLine)
{
    TextFile any = TextOf("a\rb\r\nc"), lf = TextOf("a\rb\r\nc", LineBreaks::LfOnly);
    EXPECT_EQ(any.Lines.size(), 3u);
    ASSERT_EQ(lf.Lines.size(), 2u);
    EXPECT_EQ(lf.LineBytes(0, true), "a\rb\r\n");
    EXPECT_EQ(lf.Lines[0].Ending, leCrLf);
    EXPECT_EQ(lf.Lines[1].Ending, leNone);
}

TEST(TextReading, NamesWhatItFound)
{
    EXPECT_EQ(EncodingName({TextEncoding::Utf8, 3}), "UTF-8 (BOM付き)");
    EXPECT_EQ(EncodingName({TextEncoding::ShiftJis, 0}), "Shift-JIS");
    EXPECT_EQ(EndingStyleName(EndingStyle::CrLf), "CRLF");
    EXPECT_EQ(EndingStyleName(EndingStyle::Mixed), "混在");
}
} // namespace
