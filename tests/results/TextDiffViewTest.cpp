// The text comparison view, driven by mouse and keyboard as a person drives it.
#include "results/TextDiffDlg.h"
#include "results/TextDiffSave.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/RealInput.h"
#include "tests/common/TempFolder.h"
#include "tests/common/TimedSteps.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <gtest/gtest.h>

namespace {
std::string Lines(int from, int to, const char* tail = "")
{
    std::string text;
    for (int i = from; i < to; ++i)
        text += "line " + std::to_string(i) + tail + "\r\n";
    return text;
}

std::wstring ClipboardWide()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

POINT Middle(const Control& control)
{
    return ClientMiddle(control.Handle);
}

// The index among the changes (not ignored) of the hunk at the current row; -1 outside.
int CurrentChange(const TTextDiffDlg& view)
{
    size_t hunk = view.Rows.At(view.DiffPanes.CurrentRow()).Hunk;
    if (hunk == DiffRow::NoLine) return -1;
    int index = 0;
    for (size_t k = 0; k < hunk; ++k)
        index += !view.Rows.Hunk(k).Ignored;
    return index;
}

TEST(TextView, KeysButtonsAndAnOptionMoveThroughTheChanges)
{
    TempFolder folder;
    // Four changes: line 10 changed, 40 removed, 70 only in case, two lines added at 100.
    std::string a = Lines(0, 10) + "ten\r\n" + Lines(11, 40) + "forty\r\n" + Lines(41, 70) +
                    "Seventy\r\n" + Lines(71, 120);
    std::string b = Lines(0, 10) + "TEN!\r\n" + Lines(11, 40) + Lines(41, 70) + "seventy\r\n" +
                    Lines(71, 100) + "new 1\r\nnew 2\r\n" + Lines(100, 120);
    FilePath reference = folder.WriteFile("a.txt", a), target = folder.WriteFile("b.txt", b);
    TTextDiffDlg view;
    ASSERT_TRUE(view.Open(nullptr));
    view.Fill(reference, target, {});
    ASSERT_EQ(view.Diff.ChangedHunks(), 4u);

    struct Step {
        const char* What;
        std::function<void()> Act;
        int Change; // the current change afterwards
        size_t Changes;
    } steps[] = {
        {"opens on the first change", [] {}, 0, 4},
        {"F8", [] { PressKeys({VK_F8}); }, 1, 4},
        {"Alt+Down", [] { PressKeys({VK_MENU, VK_DOWN}); }, 2, 4},
        {"Alt+Up", [] { PressKeys({VK_MENU, VK_UP}); }, 1, 4},
        {"次の相違 clicked", [&] { ClickAt(view.NextButton.Handle, Middle(view.NextButton)); }, 2, 4},
        {"F8 after a click elsewhere", [] { PressKeys({VK_F8}); }, 3, 4},
        {"F8 at the last change stays", [] { PressKeys({VK_F8}); }, 3, 4},
        {"F7", [] { PressKeys({VK_F7}); }, 2, 4},
        // Ignoring case leaves three changes; the line stays current, no longer a change.
        {"大文字小文字 switched on",
         [&] { ClickAt(view.OptionChkBoxes[toIgnoreCase].Handle, {8, 8}); }, -1, 3},
        {"F7 with the option on", [] { PressKeys({VK_F7}); }, 1, 3},
    };
    std::deque<std::function<bool()>> script;
    std::vector<std::pair<int, size_t>> seen;
    script.push_back(When([&] { return IsWindowVisible(view.Handle) != 0; }, [] {}));
    for (Step& step : steps) {
        script.push_back([&step] {
            step.Act();
            return true;
        });
        script.push_back(Pause(300));
        script.push_back([&] {
            seen.emplace_back(CurrentChange(view), view.Diff.ChangedHunks());
            return true;
        });
    }
    // Ctrl+C copies the line clicked, as the file holds it.
    std::wstring copied;
    script.push_back([&] {
        size_t row = view.Rows.RowOfLine(1, 99); // "new 1"
        view.DiffPanes.ScrollTo(row);
        RECT client;
        GetClientRect(view.DiffPanes.Handle, &client);
        POINT at{client.right * 3 / 4, 0};
        size_t found = DiffRow::NoLine;
        int side = 0;
        while (at.y < client.bottom && !(view.DiffPanes.RowAt(at, found, side) && found == row))
            ++at.y;
        at.y += 4; // inside the row, not on its edge
        ClickAt(view.DiffPanes.Handle, at);
        PressKeys({VK_CONTROL, 'C'});
        return true;
    });
    script.push_back(Pause(300));
    script.push_back([&] {
        copied = ClipboardWide();
        PressKeys({VK_ESCAPE});
        return true;
    });
    TimedSteps user(script, 30000);
    view.ShowModal();
    ASSERT_EQ(user.Failure, "");
    ASSERT_EQ(seen.size(), std::size(steps));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, steps[i].Change) << steps[i].What;
        EXPECT_EQ(seen[i].second, steps[i].Changes) << steps[i].What;
    }
    EXPECT_TRUE(view.Options.IgnoreCase);
    EXPECT_EQ(copied, L"new 1");
}

TEST(TextView, SaysHowEachFileIsStoredAndWhatKindOfPairItIs)
{
    struct Case {
        const char* What;
        std::string A, B;
        std::string SrcInfo, DesInfo, Notice;
        bool ByteView; // the byte view is offered
    } cases[] = {
        {"line endings only", "a\r\nb\r\n", "a\nb\n", "ASCII  CRLF  2 行", "ASCII  LF  2 行",
         "改行コードだけが異なります。相違 1 か所（1 番目）", false},
        {"encoding only", "表示\n", u8"表示\n", "Shift-JIS  LF  1 行", "UTF-8  LF  1 行",
         "文字コードだけが異なります。相違 1 か所（1 番目）", false},
        {"the same text", "x\n", "x\n", "ASCII  LF  1 行", "ASCII  LF  1 行", "相違はありません。",
         false},
        {"a binary file", std::string("a\0b", 3), "a\n", "バイナリ  3 バイト", "ASCII  LF  1 行",
         "バイナリファイルのため、テキストとしては比較できません。バイト表示で相違バイトを確認できます。",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TempFolder folder;
        TTextDiffDlg view;
        ASSERT_TRUE(view.Open(nullptr));
        view.Fill(folder.WriteFile("a", c.A), folder.WriteFile("b", c.B), {});
        EXPECT_EQ(view.SrcInfoText.Text(), c.SrcInfo);
        EXPECT_EQ(view.DesInfoText.Text(), c.DesInfo);
        EXPECT_EQ(view.NoticeText.Text(), c.Notice);
        EXPECT_EQ(view.TrelkDispButton.Enabled(), c.ByteView);
        EXPECT_EQ(view.OptionChkBoxes[0].Enabled(), !c.ByteView);
    }
}

// The save dialog's answer: a path chosen beforehand.
std::wstring chosenPath;
BOOL ChooseSavePath(OPENFILENAMEW* dialog)
{
    if (chosenPath.size() >= dialog->nMaxFile) return FALSE;
    std::copy(chosenPath.begin(), chosenPath.end(), dialog->lpstrFile);
    dialog->lpstrFile[chosenPath.size()] = L'\0';
    return TRUE;
}

TEST(TextView, SaveWritesTheUnifiedDiffWholeOrNothing)
{
    TempFolder folder;
    FilePath reference = folder.WriteFile("a.txt", "1\r\n2\r\n"),
             target = folder.WriteFile("b.txt", "1\r\nX\r\n");
    const std::string body = "@@ -1,2 +1,2 @@\n 1\r\n-2\r\n+X\r\n";
    struct Case {
        const char* What;
        std::string Path;
        const char* Before; // nullptr: no file there
        bool Saved;
    } cases[] = {
        {"a new file", folder / "new.diff", nullptr, true},
        {"over a file", folder / "old.diff", "what was there", true},
        {"into a folder that is not there", folder / "none\\x.diff", nullptr, false},
    };
    SaveDialogWideFunction saved = TextDiffSaveDialogRequest;
    TextDiffSaveDialogRequest = ChooseSavePath;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        if (c.Before) folder.WriteFile(c.Path.substr(folder.Path.size()), c.Before);
        chosenPath = WideOf(c.Path);
        TTextDiffDlg view;
        ASSERT_TRUE(view.Open(nullptr));
        view.Fill(reference, target, {});
        BoxAnswerer boxes({IDOK});
        TimedSteps user({When([&] { return IsWindowVisible(view.Handle) != 0; },
                              [&] { ClickAt(view.SaveButton.Handle, Middle(view.SaveButton)); }),
                         When([&] { return !boxes.Seen.empty(); }, [] { PressKeys({VK_ESCAPE}); })},
                        20000);
        view.ShowModal();
        ASSERT_EQ(user.Failure, "");
        ASSERT_EQ(boxes.Seen.size(), 1u);
        std::string written = ReadWholeFile(c.Path);
        if (c.Saved) {
            EXPECT_EQ(boxes.Seen[0].Text, "保存しました");
            EXPECT_EQ(written.compare(0, 4 + reference.Text.size(), "--- " + reference.Text), 0);
            EXPECT_NE(written.find(body), std::string::npos) << written;
        } else {
            EXPECT_EQ(boxes.Seen[0].Text, WithFullStop(IoErrorText(ERROR_PATH_NOT_FOUND)));
            EXPECT_EQ(written, "");
        }
        // Nothing half-written or set aside stays beside it.
        EXPECT_EQ(GetFileAttributesA((c.Path + ".vexil-new").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA((c.Path + ".vexil-old").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    TextDiffSaveDialogRequest = saved;
}
} // namespace
