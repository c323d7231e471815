// The contents check's opt-in text rule: verdicts of their own for texts equal only as the
// rule reads them, and today's verdicts with the rule off.
#include "engine/Util.h"
#include "results/ResultExport.h"
#include "results/VerdictText.h"
#include "tests/common/TempFolder.h"
#include "tests/run/RunFakes.h"

#include <gtest/gtest.h>
#include <map>

namespace {
TextOptions Ignoring(std::initializer_list<int> indexes)
{
    TextOptions options;
    for (int index : indexes)
        OptionAt(options, index) = true;
    return options;
}

TEST(TextRuleRun, VerdictsWithTheRuleOffAndOn)
{
    SettingsRestorer settings;
    TempFolder src, des;
    // Plain literals are Shift-JIS here, u8 literals UTF-8.
    const std::pair<const char*, std::pair<std::string, std::string>> files[] = {
        {"eol.txt", {"a\r\nb\r\n", "a\nb\n"}},
        {"enc.txt", {"表示\n", u8"表示\n"}},
        {"case.txt", {"Abc\n", "abc\n"}},
        {"diff.txt", {"a\n", "b\n"}},
        {"bin.dat", {std::string("\0a", 2), std::string("\0b", 2)}},
        {"same.txt", {"s\n", "s\n"}},
    };
    for (const auto& [name, bytes] : files) {
        src.WriteFile(name, bytes.first);
        des.WriteFile(name, bytes.second);
    }
    struct Case {
        const char* What;
        bool Rule;
        TextOptions Options;
        std::map<std::string, std::string> Contents;
        int Mismatches;
    } cases[] = {
        {"rule off: today's verdicts",
         false,
         Ignoring({toIgnoreEol, toIgnoreCase}),
         {{"eol.txt", "不一致"}, {"enc.txt", "不一致"}, {"case.txt", "不一致"},
          {"diff.txt", "不一致"}, {"bin.dat", "不一致"}, {"same.txt", "一致"}},
         5},
        {"rule on, no option",
         true,
         {},
         {{"eol.txt", "不一致"}, {"enc.txt", "文字コードのみ"}, {"case.txt", "不一致"},
          {"diff.txt", "不一致"}, {"bin.dat", "不一致"}, {"same.txt", "一致"}},
         4},
        {"rule on, endings",
         true,
         Ignoring({toIgnoreEol}),
         {{"eol.txt", "改行のみ"}, {"enc.txt", "文字コードのみ"}, {"case.txt", "不一致"},
          {"diff.txt", "不一致"}, {"bin.dat", "不一致"}, {"same.txt", "一致"}},
         3},
        {"rule on, endings and case",
         true,
         Ignoring({toIgnoreEol, toIgnoreCase}),
         {{"eol.txt", "改行のみ"}, {"enc.txt", "文字コードのみ"}, {"case.txt", "同等"},
          {"diff.txt", "不一致"}, {"bin.dat", "不一致"}, {"same.txt", "一致"}},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EnvSettings = TEnvSettings{};
        EnvSettings.CompDate = EnvSettings.CompSize = false; // the contents alone
        EnvSettings.TextRule = c.Rule;
        EnvSettings.TextIgnore = c.Options;
        ResetEntries();
        FolderPane pane;
        pane.Folder = WithoutSlash(src.Path);
        for (const auto& file : files)
            pane.Add(std::string(file.first));
        CollectFiles(pane);
        RecordingView view;
        RunComparison(WithoutSlash(src.Path), WithoutSlash(des.Path), view);
        std::map<std::string, std::string> contents;
        for (const FilePairEntry& e : FileEntries)
            contents[e.Name] = ContentsVerdictText(e.ContentsResult);
        EXPECT_EQ(contents, c.Contents);
        EXPECT_EQ(MismatchCount, c.Mismatches);
        // Texts equal only under the rule are no mismatch, and still listed with them.
        ResultRows rows = ListedRows(FileEntries, EntryCount, true);
        EXPECT_EQ(rows.size(), c.Contents.size() - 1);
        std::string csv = ExportText(RunFolders{WithoutSlash(src.Path)}, rows);
        for (const auto& [name, verdict] : c.Contents) {
            if (name == "same.txt") continue;
            EXPECT_NE(csv.find(name + ",－,－," + verdict + "\r\n"), std::string::npos) << csv;
        }
        ReleaseEntries();
    }
}
} // namespace
