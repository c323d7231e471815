#include "textdiff/TextDiff.h"
#include "tests/textdiff/TextSamples.h"

#include <gtest/gtest.h>

namespace {
TextOptions With(std::initializer_list<int> indexes)
{
    TextOptions options;
    for (int index : indexes)
        OptionAt(options, index) = true;
    return options;
}

struct RuleCase {
    const char* Name;
    std::string A, B; // Shift-JIS unless written u8
    TextOptions Options;
    bool Equal;
};

// Plain literals are Shift-JIS bytes here, u8 literals UTF-8.
const RuleCase RuleCases[] = {
    {"case off", "abc\n", "ABC\n", {}, false},
    {"case", "abc\n", "ABC\n", With({toIgnoreCase}), true},
    {"case never folds a trail byte: アイ is not ヂツ", "アイ\n", "ヂツ\n", With({toIgnoreCase}),
     false},
    {"case of full-width letters", "ＡＢＣ\n", "ａｂｃ\n", With({toIgnoreCase}), true},
    {"width: ｶﾞｷﾞ is ガギ", "ｶﾞｷﾞ\n", "ガギ\n", With({toIgnoreWidth}), true},
    {"kana alone leaves width", "ｶﾞｷﾞ\n", "ガギ\n", With({toIgnoreKana}), false},
    {"width: ＡＢＣ is ABC", "ＡＢＣ\n", "ABC\n", With({toIgnoreWidth}), true},
    {"width, not case", "ＡＢＣ\n", "abc\n", With({toIgnoreWidth}), false},
    {"width and case", "ＡＢＣ\n", "abc\n", With({toIgnoreWidth, toIgnoreCase}), true},
    {"width: ＼ is \\", "a＼b\n", "a\\b\n", With({toIgnoreWidth}), true},
    {"kana", "ひらがな\n", "ヒラガナ\n", With({toIgnoreKana}), true},
    {"kana and width", "あいう\n", "ｱｲｳ\n", With({toIgnoreKana, toIgnoreWidth}), true},
    {"width alone keeps hiragana", "あいう\n", "ｱｲｳ\n", With({toIgnoreWidth}), false},
    {"space change", "a  b\t\n", "a b\n", With({toIgnoreSpaceChange}), true},
    {"space change keeps a space", "a b\n", "ab\n", With({toIgnoreSpaceChange}), false},
    {"all space", "a b\n", "ab\n", With({toIgnoreAllSpace}), true},
    {"all space takes U+3000", "表　示\n", "表示\n", With({toIgnoreAllSpace}), true},
    {"a trail byte 5C is no white space", "ソ\n", "ソ \n", With({toIgnoreSpaceChange}), true},
    {"ソ and 表 differ in their lead byte only", "ソ\n", "表\n", With({toIgnoreAllSpace}), false},
    {"blank lines off", "a\n\nb\n", "a\nb\n", {}, false},
    {"blank lines", "a\n\n  \nb\n", "a\nb\n\n", With({toIgnoreBlankLines}), true},
    {"blank lines leave other lines", "a\n\nb\n", "a\nc\n", With({toIgnoreBlankLines}), false},
    {"endings off", "a\r\nb\r\n", "a\nb", {}, false},
    {"endings", "a\r\nb\r\n", "a\nb", With({toIgnoreEol}), true},
    {"endings leave characters", "a\r\n", "b\n", With({toIgnoreEol}), false},
    {"any rule: the characters count", "表示\n", u8"表示\n", With({toIgnoreEol}), true},
};

TEST(TextRules, TheRunAndTheViewAgreeOnEveryOption)
{
    for (const RuleCase& c : RuleCases) {
        SCOPED_TRACE(c.Name);
        TextRuleOutcome run =
            CompareUnderTextRule(c.A.data(), c.A.size(), c.B.data(), c.B.size(), c.Options);
        EXPECT_EQ(run != TextRuleOutcome::Different, c.Equal);
        TextDiffResult view = DiffTextFiles(TextOf(c.A), TextOf(c.B), c.Options);
        EXPECT_EQ(view.ChangedHunks() == 0, c.Equal);
    }
}

TEST(TextRules, TheRunSaysWhatKindOfEqual)
{
    struct Case {
        const char* Name;
        std::string A, B;
        TextOptions Options;
        TextRuleOutcome Outcome;
    } cases[] = {
        {"endings only", "a\r\nb\r\n", "a\nb\n", With({toIgnoreEol}), TextRuleOutcome::EndingsOnly},
        {"endings not ignored", "a\r\n", "a\n", {}, TextRuleOutcome::Different},
        {"encoding only", "表示\n", u8"表示\n", {}, TextRuleOutcome::EncodingOnly},
        {"byte-order mark only", "x\n", "\xEF\xBB\xBFx\n", {}, TextRuleOutcome::EncodingOnly},
        {"encoding and endings", "表示\r\n", u8"表示\n", With({toIgnoreEol}),
         TextRuleOutcome::Equivalent},
        {"case", "A\n", "a\n", With({toIgnoreCase}), TextRuleOutcome::Equivalent},
        {"a binary file", std::string("a\0", 2), std::string("b\0", 2), With({toIgnoreCase}),
         TextRuleOutcome::Different},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(CompareUnderTextRule(c.A.data(), c.A.size(), c.B.data(), c.B.size(), c.Options),
                  c.Outcome);
    }
}

TEST(TextRules, TheViewSaysWhenOnlyTheStorageDiffers)
{
    struct Case {
        std::string A, B;
        const char* Notice;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n", "改行コードだけが異なります"},
        {"表示\n", u8"表示\n", "文字コードだけが異なります"},
        {"x\n", "\xEF\xBB\xBFx\n", "BOMの有無だけが異なります"},
        {"表示\r\n", u8"表示\n", "文字コードと改行コードだけが異なります"},
        {"a\n", "a", "改行コードだけが異なります"},
        {"a\n", "b\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Notice);
        EXPECT_EQ(StorageOnlyNotice(CompareLikeness(TextOf(c.A), TextOf(c.B))), c.Notice);
        // Without rules the lines still differ by their bytes, as diff says.
        EXPECT_GT(DiffTextFiles(TextOf(c.A), TextOf(c.B), {}).ChangedHunks(), 0u);
    }
}
} // namespace
