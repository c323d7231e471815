#include "results/ResultExport.h"

#include "engine/FileEntries.h"
#include "results/Result.h"
#include "settings/EnvSettings.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/TempFolder.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>

namespace {
// A row refers to its record, so the records stay for the whole test program.
const FilePairEntry* MakeRow(const std::string& name, const std::string& folder, DateVerdict d,
                             SizeVerdict s, ContentsVerdict c)
{
    static std::deque<FilePairEntry> records;
    FilePairEntry& e = records.emplace_back();
    e.Name = name;
    e.Folder = folder;
    e.DateResult = d;
    e.SizeResult = s;
    e.ContentsResult = c;
    return &e;
}

const std::string Header = "ファイル名,日付,サイズ,内容\r\n";

// Both files of a record as a run finds them: 2024-01-02 03:04:06 UTC, the target 10 s later.
void SetFacts(FilePairEntry& e, int64_t size, int64_t targetSize)
{
    SYSTEMTIME t{2024, 1, 0, 2, 3, 4, 6, 0};
    FILETIME time{};
    SystemTimeToFileTime(&t, &time);
    e.HasFacts = e.HasTargetFacts = true;
    e.LastWrite = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    e.TargetLastWrite = e.LastWrite + 100000000;
    e.Size = size;
    e.TargetSize = targetSize;
}

// The save dialog as the user answers it: the request is kept, the path typed in.
struct DialogAnswer {
    std::string Path;
    bool Cancel = false;
    std::string Filter, InitialName;
    std::string DefExt;
    bool NoInitialFolder = false, PromptsOverwrite = false;
    bool ValuesShown = false, ValuesChecked = false; // the check box as the dialog had it
    bool CheckValues = false;                        // the user ticks it
    int Calls = 0;
    DWORD FilterIndex = 0; // the file type the user picks; 0 leaves the first
};
DialogAnswer dialogAnswer;
BOOL AnswerSaveDialog(OPENFILENAMEA* request)
{
    DialogAnswer& a = dialogAnswer;
    ++a.Calls;
    const char* f = request->lpstrFilter;
    a.Filter.clear();
    while (f && *f) { // the double-NUL list, with "|" between its parts
        a.Filter += std::string(f) + "|";
        f += std::strlen(f) + 1;
    }
    a.InitialName = request->lpstrFile;
    a.DefExt = request->lpstrDefExt ? request->lpstrDefExt : "";
    DialogCheckBox* values = DialogCheckBox::Of(*request);
    a.ValuesShown = values != nullptr;
    a.ValuesChecked = values && values->Checked;
    a.NoInitialFolder = request->lpstrInitialDir == nullptr;
    a.PromptsOverwrite = (request->Flags & OFN_OVERWRITEPROMPT) != 0;
    if (a.Cancel) return FALSE;
    if (a.FilterIndex) request->nFilterIndex = a.FilterIndex;
    if (values && a.CheckValues) values->Checked = true;
    std::strncpy(request->lpstrFile, a.Path.c_str(), request->nMaxFile - 1);
    return TRUE;
}
} // namespace

TEST(ExportRows, WritesHeaderAndOneLinePerRowExactly)
{
    TempFolder folder;
    const ResultRows rows = {
        MakeRow("a.txt", "sub\\", dvNewer, svLarger, cvDiffer),
        MakeRow("", "top\\", dvSame, svSame, cvSame),
        MakeRow("x,y.txt", "", dvNotCompared, svNotFound, cvInUse),
    };
    const std::string path = folder / "out.csv";
    ExportRows(path, true, RunFolders{"C:\\data"}, rows);
    EXPECT_EQ(ReadWholeFile(path), Header + "C:\\data\\sub\\a.txt,新しい,大きい,不一致\r\n"
                                            "C:\\data\\top\\,一致,一致,一致\r\n"
                                            "\"C:\\data\\x,y.txt\",－,見つからない,使用中\r\n");
    // A drive root gets no second separator; with no reference folder (drives compared
    // from My Computer) the row's folder is the whole path.
    ExportRows(path, true, RunFolders{"C:\\"},
               {rows[0], MakeRow("a.txt", "", dvSame, svSame, cvDiffer)});
    EXPECT_EQ(ReadWholeFile(path),
              Header + "C:\\sub\\a.txt,新しい,大きい,不一致\r\nC:\\a.txt,一致,一致,不一致\r\n");
    ExportRows(path, true, RunFolders{""},
               {MakeRow("a.txt", "M:\\sub\\", dvNewer, svLarger, cvDiffer)});
    EXPECT_EQ(ReadWholeFile(path), Header + "M:\\sub\\a.txt,新しい,大きい,不一致\r\n");
    ExportRows(path, true, RunFolders{"C:\\data"}, {});
    EXPECT_EQ(ReadWholeFile(path), Header);
}

TEST(ExportRows, AppendingNeverChangesAByteOfTheExistingFile)
{
    TempFolder folder;
    const ResultRows rows = {MakeRow("a", "", dvSame, svSame, cvDiffer)};
    const std::string line = "C:\\a,一致,一致,不一致\r\n";
    // An end-of-file mark is data like any byte; a last line without its break gets one.
    const std::string marked = std::string("old\x1Atail\x1Amore", 13);
    const std::string path = folder.WriteFile("old.csv", marked);
    ExportRows(path, false, RunFolders{"C:\\"}, rows);
    EXPECT_EQ(ReadWholeFile(path), marked + "\r\n" + Header + line);

    std::string distant = "x\x1A" + std::string(200, 'y') + "\r\n";
    const std::string distantPath = folder.WriteFile("distant.csv", distant);
    ExportRows(distantPath, false, RunFolders{"C:\\"}, rows);
    EXPECT_EQ(ReadWholeFile(distantPath), distant + Header + line);

    // Overwriting empties the file first.
    ExportRows(distantPath, true, RunFolders{"C:\\"}, rows);
    EXPECT_EQ(ReadWholeFile(distantPath), Header + line);
}

TEST(ExportRows, UnwritablePlacesAreIoFailures)
{
    TempFolder folder;
    const ResultRows rows;
    auto codeOf = [&](const std::string& path) -> DWORD {
        try {
            ExportRows(path, true, RunFolders{"C:\\"}, rows);
        } catch (const IoFailure& failure) {
            return failure.Code;
        }
        return 0;
    };
    EXPECT_EQ(codeOf(folder / "no such folder\\result.csv"),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(codeOf(folder.MakeFolder("a folder")), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// VEXIL_FULL_DISK_DIR names (as a Wine path) a prepared, nearly full small file system,
// for example a 1 MiB tmpfs mounted by root before the test run:
//   mount -t tmpfs -o size=1m tmpfs /tmp/full && VEXIL_FULL_DISK_DIR='Z:\tmp\full'
TEST(ExportRows, FullDiskIsReportedAsSuch)
{
    const char* dir = std::getenv("VEXIL_FULL_DISK_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "VEXIL_FULL_DISK_DIR is not set";
    std::string base = dir;
    if (base.back() != '\\') base += '\\';
    ResultRows rows(60000, MakeRow(std::string(40, 'n'), "", dvSame, svSame, cvDiffer));
    const std::string path = base + "result.csv";
    DWORD code = 0;
    try {
        ExportRows(path, true, RunFolders{"C:\\"}, rows);
    } catch (const IoFailure& failure) {
        code = failure.Code;
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(code, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(IoErrorText(code), "ディスクがいっぱいです");
}

TEST(SaveButton, AsksForTheNameAppendsOnNoAndReportsFailures)
{
    TempFolder folder;
    ResetEntries();
    MismatchCount = 0;
    AddEntry("b.txt", "sub\\");
    FileEntries.back().ContentsResult = cvDiffer;
    AddEntry("a.txt", "");
    FileEntries.back().SizeResult = svLarger;
    SetFacts(FileEntries.back(), 1000, 1234567);
    MismatchCount = 2;
    EnvSettings.DispDiscord = true;
    TResultDlg dialog;
    ASSERT_TRUE(dialog.Open("C:\\data", "D:\\data"));
    SaveDialogFunction original = SaveDialogRequest;
    SaveDialogRequest = AnswerSaveDialog;

    // Sorted by サイズ before saving: 大きい first.
    dialog.ResultListColumnClick(3);
    const std::string rowsText = "C:\\data\\a.txt,一致,大きい,一致\r\n"
                                 "C:\\data\\sub\\b.txt,一致,一致,不一致\r\n";
    dialogAnswer = {};
    dialogAnswer.Path = folder / "result.csv";
    {
        BoxAnswerer answerer({IDOK});
        dialog.SaveButtonClick();
        ASSERT_EQ(answerer.Seen.size(), 1u); // a new file: no question
        EXPECT_EQ(answerer.Seen[0].Text, "保存しました");
        EXPECT_EQ(answerer.Seen[0].Caption, "Vexil32");
        EXPECT_FALSE(answerer.Seen[0].HasIcon);
    }
    EXPECT_EQ(dialogAnswer.Filter, "CSV (Shift-JIS)|*.csv|CSV (UTF-8)|*.csv|すべてのﾌｧｲﾙ|*.*|");
    EXPECT_EQ(dialogAnswer.InitialName, "result.csv");
    EXPECT_EQ(dialogAnswer.DefExt, "csv"); // a name typed without one gets ".csv"
    EXPECT_TRUE(dialogAnswer.ValuesShown);
    EXPECT_FALSE(dialogAnswer.ValuesChecked);
    EXPECT_TRUE(dialogAnswer.NoInitialFolder);
    EXPECT_FALSE(dialogAnswer.PromptsOverwrite);
    EXPECT_EQ(ReadWholeFile(dialogAnswer.Path), Header + rowsText);

    {
        BoxAnswerer answerer({IDNO, IDOK});
        dialog.SaveButtonClick();
        ASSERT_EQ(answerer.Seen.size(), 2u);
        EXPECT_EQ(answerer.Seen[0].Text, "既にファイルが存在します。上書きしますか？");
        EXPECT_EQ(answerer.Seen[0].Caption, "Vexil32");
        EXPECT_FALSE(answerer.Seen[0].HasIcon);
        EXPECT_TRUE(answerer.Seen[0].HasYes && answerer.Seen[0].HasNo);
        EXPECT_EQ(answerer.Seen[1].Text, "保存しました");
    }
    EXPECT_EQ(dialogAnswer.InitialName, "result.csv");
    EXPECT_EQ(ReadWholeFile(dialogAnswer.Path), Header + rowsText + Header + rowsText);

    {
        BoxAnswerer answerer({IDYES, IDOK});
        dialog.SaveButtonClick();
        EXPECT_EQ(answerer.Seen.size(), 2u);
    }
    EXPECT_EQ(ReadWholeFile(dialogAnswer.Path), Header + rowsText);

    { // the UTF-8 type: a new file with the mark, the real names
        dialogAnswer.FilterIndex = 2;
        dialogAnswer.Path = folder / "utf8.csv";
        BoxAnswerer answerer({IDOK});
        dialog.SaveButtonClick();
        dialogAnswer.FilterIndex = 0;
        EXPECT_EQ(ReadWholeFile(dialogAnswer.Path),
                  "\xEF\xBB\xBF" + Utf8Of(WideOf(Header + rowsText)));
    }

    { // the value columns, ticked in the dialog, and remembered for the next save
        dialogAnswer.CheckValues = true;
        dialogAnswer.Path = folder / "values.csv";
        BoxAnswerer answerer({IDOK});
        dialog.SaveButtonClick();
        dialogAnswer.CheckValues = false;
        EXPECT_EQ(ReadWholeFile(dialogAnswer.Path),
                  "ファイル名,日付,サイズ,内容,基準の日時,対象の日時,基準のサイズ,対象のサイズ\r\n"
                  "C:\\data\\a.txt,一致,大きい,一致,2024/01/02 12:04:06,2024/01/02 12:04:16,1000,"
                  "1234567\r\n"
                  "C:\\data\\sub\\b.txt,一致,一致,不一致,,,,\r\n");
        EXPECT_TRUE(EnvSettings.CsvValueColumns);
        dialogAnswer.Cancel = true;
        dialog.SaveButtonClick();
        dialogAnswer.Cancel = false;
        EXPECT_TRUE(dialogAnswer.ValuesChecked);
        EnvSettings.CsvValueColumns = false;
    }

    { // cancelled: nothing written, nothing said
        dialogAnswer.Cancel = true;
        BoxAnswerer answerer({IDOK});
        dialog.SaveButtonClick();
        EXPECT_TRUE(answerer.Seen.empty());
        dialogAnswer.Cancel = false;
    }

    { // a folder that does not exist: the error report instead of the notice
        dialogAnswer.Path = folder / "missing\\result.csv";
        BoxAnswerer answerer({IDOK, IDOK});
        dialog.SaveButtonClick();
        ASSERT_EQ(answerer.Seen.size(), 1u);
        EXPECT_EQ(answerer.Seen[0].Text, WithFullStop(IoErrorText(ERROR_PATH_NOT_FOUND)));
        EXPECT_EQ(answerer.Seen[0].Caption, "Vexil32");
        EXPECT_TRUE(answerer.Seen[0].HasIcon);
    }
    SaveDialogRequest = original;
}

TEST(CsvField, QuotedOnlyForCommaQuoteOrLineBreak)
{
    struct Case {
        const char* name;
        std::string field, written;
    } cases[] = {
        {"plain", "C:\\a.txt", "C:\\a.txt"},
        {"Japanese with a 5C trail byte", "C:\\表\\ソ.txt", "C:\\表\\ソ.txt"},
        {"comma", "a,b.txt", "\"a,b.txt\""},
        {"double quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line feed", "a\nb", "\"a\nb\""},
        {"carriage return", "a\rb", "\"a\rb\""},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvField(c.field), c.written) << c.name;
}

TEST(ExportRows, Utf8FormHoldsRealNamesAndAppendingKeepsTheFilesEncoding)
{
    TempFolder folder;
    FilePairEntry* real =
        const_cast<FilePairEntry*>(MakeRow("caf?.txt", "", dvSame, svSame, cvDiffer));
    real->RealPath = L"caf\u00e9.txt";
    const ResultRows rows = {real};
    const std::string mark = "\xEF\xBB\xBF";
    const std::string utf8Header = Utf8Of(WideOf(Header));
    const std::string utf8Row = Utf8Of(L"C:\\d\\caf\u00e9.txt," + WideOf("一致,一致,不一致\r\n"));
    const std::string sjisRow = "C:\\d\\caf?.txt,一致,一致,不一致\r\n";
    struct Case {
        const char* name;
        const char* existing; // nullptr: no file
        CsvEncoding chosen;
        bool overwrite;
        std::string expected;
    } cases[] = {
        {"new UTF-8 file", nullptr, CsvEncoding::Utf8, true, mark + utf8Header + utf8Row},
        {"new Shift-JIS file", nullptr, CsvEncoding::ShiftJis, true, Header + sjisRow},
        {"UTF-8 file appended as Shift-JIS chosen", "\xEF\xBB\xBFx\r\n", CsvEncoding::ShiftJis,
         false, mark + "x\r\n" + utf8Header + utf8Row},
        {"Shift-JIS file appended as Shift-JIS", "x\r\n", CsvEncoding::ShiftJis, false,
         "x\r\n" + Header + sjisRow},
        {"UTF-8 without its mark appended as Shift-JIS chosen", "\xC3\xA9\r\n",
         CsvEncoding::ShiftJis, false, "\xC3\xA9\r\n" + utf8Header + utf8Row},
        {"empty file appended in UTF-8", "", CsvEncoding::Utf8, false, mark + utf8Header + utf8Row},
        {"UTF-8 file overwritten as Shift-JIS", "\xEF\xBB\xBFx", CsvEncoding::ShiftJis, true,
         Header + sjisRow},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = folder / ("f" + std::to_string(n++) + ".csv");
        if (c.existing) folder.WriteFile("f" + std::to_string(n - 1) + ".csv", c.existing);
        ExportRows(path, c.overwrite, RunFolders{"C:\\d"}, rows, {}, {c.chosen});
        EXPECT_EQ(ReadWholeFile(path), c.expected) << c.name;
    }
    // A file that cannot be continued in its own encoding is left as it was, with the reason.
    struct Refusal {
        std::string existing;
        CsvEncoding chosen;
        const char* reason;
    } refusals[] = {
        {std::string("\xFF\xFEx\0", 4), CsvEncoding::ShiftJis, "UTF-16 のファイル"},
        {std::string("x\0,\0", 4), CsvEncoding::ShiftJis, "UTF-16 のファイル"},
        {"x\r\n", CsvEncoding::Utf8, "Shift-JIS のファイルには UTF-8 で追記できません。"},
    };
    for (const Refusal& c : refusals) {
        const std::string kept = folder.WriteFile("kept.csv", c.existing);
        std::string reason;
        try {
            ExportRows(kept, false, RunFolders{"C:\\d"}, rows, {}, {c.chosen});
        } catch (const UnappendableFile& refusal) {
            reason = refusal.Reason;
        }
        EXPECT_EQ(0u, reason.find(c.reason)) << reason;
        EXPECT_EQ(ReadWholeFile(kept), c.existing);
    }
}
