#include "settings/EnvSet.h"

#include "tests/common/Accessibility.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/common/RealInput.h"
#include "tests/common/TempFolder.h"
#include "tests/common/TimedSteps.h"

#include <commctrl.h>
#include <deque>
#include <dlgs.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {
void Click(Control& control)
{
    SendMessageA(control.Handle, BM_CLICK, 0, 0);
}

// The background colour an edit gets from its parent when it paints.
COLORREF PaintColorOf(Edit& edit)
{
    HDC dc = CreateCompatibleDC(nullptr);
    UINT message = IsWindowEnabled(edit.Handle) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    SendMessageA(GetParent(edit.Handle), message, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(edit.Handle));
    COLORREF color = GetBkColor(dc);
    DeleteDC(dc);
    return color;
}

std::vector<Control*> SoundControls(TEnvSetDlg& d)
{
    return {&d.SameSoundFileLabel,        &d.SameSoundFileEdit,     &d.SameSoundFileRefButton,
            &d.SameSoundPlayBitBtn,       &d.DiscordSoundFileLabel, &d.DiscordSoundFileEdit,
            &d.DiscordSoundFileRefButton, &d.DiscordSoundPlayBitBtn};
}

void ExpectSoundEnabled(TEnvSetDlg& d, bool enabled)
{
    for (Control* c : SoundControls(d))
        EXPECT_EQ(enabled, c->Enabled());
    COLORREF expected = GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    EXPECT_EQ(expected, PaintColorOf(d.SameSoundFileEdit));
    EXPECT_EQ(expected, PaintColorOf(d.DiscordSoundFileEdit));
}
} // namespace

TEST(EnvSetDlgTest, SoundCheckBoxAloneEnablesTheSoundPanel)
{
    // The two colours must differ, or the colour checks prove nothing.
    ASSERT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    EXPECT_EQ("環境設定", d.Text());
    SIZE client = d.ClientSize();
    EXPECT_EQ(486, client.cx); // 462 designed, and the room the button captions need
    EXPECT_EQ(371, client.cy); // 287 designed, and the room of the text rule on 比較
    EXPECT_FALSE(d.SoundChkBox.Checked());
    ExpectSoundEnabled(d, false);

    d.SoundChkBox.SetChecked(true); // as the main window copies a true SoundFlag in
    ExpectSoundEnabled(d, true);
    d.ProgTimeChkBox.SetChecked(true);
    d.ProgTimeChkBox.SetChecked(false);
    ExpectSoundEnabled(d, true);
    d.SoundChkBox.SetChecked(false);
    ExpectSoundEnabled(d, false);
    Click(d.ProgTimeChkBox);
    EXPECT_TRUE(d.ProgTimeChkBox.Checked());
    ExpectSoundEnabled(d, false);
    Click(d.SoundChkBox);
    EXPECT_TRUE(d.SoundChkBox.Checked());
    ExpectSoundEnabled(d, true);

    // Pages: the first one shows; the tab change shows the other.
    EXPECT_TRUE(d.DisplayTabSheet.Visible());
    EXPECT_FALSE(d.SoundTabSheet.Visible());
    EXPECT_TRUE(d.FontColorTView.AllExpanded());
    d.PageCtl.SetSelectedIndex(1);
    EXPECT_FALSE(d.DisplayTabSheet.Visible());
    EXPECT_TRUE(d.SoundTabSheet.Visible());
    d.PageCtl.SetSelectedIndex(2);
    EXPECT_TRUE(d.GroupBox2.Visible());
    EXPECT_TRUE(d.ExtListBox.Visible());
    EXPECT_TRUE(d.TargetOnlyChkBox.Visible());
}

TEST(EnvSetDlgTest, PlayButtonsAskForTheEditsTextUnchanged)
{
    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    std::vector<std::string> played;
    d.PlayWave = [&](const std::string& name) { played.push_back(name); };
    d.SoundChkBox.SetChecked(true);
    d.SameSoundFileEdit.SetText("C:\\音\\表示 同じ.wav");
    d.DiscordSoundFileEdit.SetText(" not a file ");
    Click(d.SameSoundPlayBitBtn);
    Click(d.DiscordSoundPlayBitBtn);
    ASSERT_EQ(2u, played.size());
    EXPECT_EQ("C:\\音\\表示 同じ.wav", played[0]);
    EXPECT_EQ(" not a file ", played[1]);
}

// Shown modally: keyboard and buttons end the dialog, the previews take the fields,
// the colour and file dialogs are preset and change only what they should.
TEST(EnvSetDlgTest, ModalUseWithKeysButtonsAndCommonDialogs)
{
    TempFolder temp;
    std::string first = temp.WriteFile("最初.wav", "RIFF");
    std::string second = temp.WriteFile("次.wav", "RIFF");

    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    d.TreeBackColor = RGB(10, 20, 30);
    d.ListBackColor = 0x80000005; // the system window colour
    d.TreeTextColor = RGB(200, 0, 0);

    std::string seenName;
    auto key = [&](WPARAM vk) {
        return [&d, vk] {
            HWND focus = GetFocus();
            if (!focus || !IsChild(d.Handle, focus)) d.OKButton.SetFocus();
            PostMessageA(GetFocus(), WM_KEYDOWN, vk, 0);
            return true;
        };
    };
    {
        TimedSteps steps({key(VK_ESCAPE)});
        EXPECT_EQ(mrCancel, d.ShowModal());
    }
    EXPECT_EQ(RGB(10, 20, 30), TreeView_GetBkColor(d.FontColorTView.Handle));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), ListView_GetBkColor(d.FontColorLView.Handle));
    {
        TimedSteps steps({key(VK_RETURN)});
        EXPECT_EQ(mrOK, d.ShowModal());
    }
    {
        // "..." on an edit holding a path opens the file dialog on it; cancel keeps the edit.
        d.SoundChkBox.SetChecked(true);
        d.SameSoundFileEdit.SetText(first);
        TimedSteps steps({[&] {
                              PostMessageA(d.SameSoundFileRefButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          },
                          [&] {
                              HWND box = FindCommonDialog();
                              if (!box) return false;
                              char name[1024] = {};
                              GetDlgItemTextA(box, cmb13, name, sizeof name);
                              if (!name[0]) GetDlgItemTextA(box, edt1, name, sizeof name);
                              seenName = name;
                              Press(box, IDCANCEL);
                              return true;
                          },
                          [&] {
                              if (FindCommonDialog()) return false;
                              PostMessageA(d.CancelButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          }});
        EXPECT_EQ(mrCancel, d.ShowModal());
    }
    EXPECT_NE(std::string::npos, seenName.find("最初.wav")) << seenName;
    EXPECT_EQ(first, d.SameSoundFileEdit.Text());
    {
        // Choosing a file puts its full path into the edit.
        TimedSteps steps({[&] {
                              PostMessageA(d.DiscordSoundFileRefButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          },
                          [&] {
                              HWND box = FindCommonDialog();
                              if (!box) return false;
                              SetDlgItemTextA(box, cmb13, second.c_str());
                              SetDlgItemTextA(box, edt1, second.c_str());
                              Press(box, IDOK);
                              return true;
                          },
                          [&] {
                              if (FindCommonDialog()) return false;
                              PostMessageA(d.OKButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          }});
        EXPECT_EQ(mrOK, d.ShowModal());
    }
    EXPECT_EQ(second, d.DiscordSoundFileEdit.Text());
    EXPECT_EQ(first, d.SameSoundFileEdit.Text());
    {
        // The background colour dialog starts from the tree's colour and gives it to both.
        TimedSteps steps({[&] {
                              PostMessageA(d.BColorRefButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          },
                          [&] {
                              HWND box = FindCommonDialog();
                              if (!box) return false;
                              Press(box, IDOK);
                              return true;
                          },
                          [&] {
                              if (FindCommonDialog()) return false;
                              PostMessageA(d.CancelButton.Handle, BM_CLICK, 0, 0);
                              return true;
                          }});
        EXPECT_EQ(mrCancel, d.ShowModal());
    }
    EXPECT_EQ(RGB(10, 20, 30), d.ListBackColor);
    EXPECT_EQ(RGB(10, 20, 30), ListView_GetBkColor(d.FontColorLView.Handle));
    EXPECT_EQ(RGB(10, 20, 30), TreeView_GetBkColor(d.FontColorTView.Handle));
    EXPECT_EQ(RGB(200, 0, 0), TreeView_GetTextColor(d.FontColorTView.Handle));
    EXPECT_TRUE(d.FontColorTView.AllExpanded());
}

// The mask group by mouse and keyboard: 追加 asks for a mask and refuses an empty or
// invalid one with a message, 削除 removes the selected one; the check box enables both.
TEST(EnvSetDlgTest, MaskGroupAddsRefusesAndRemovesMasks)
{
    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    d.SetExcludeMasks({L"Thumbs.db"});
    EXPECT_FALSE(d.Button1.Enabled());
    d.CheckBox1.SetChecked(true);
    EXPECT_TRUE(d.Button1.Enabled() && d.Button2.Enabled() && d.ExtListBox.Enabled());
    d.PageCtl.SetSelectedIndex(2);

    struct Case {
        const char* typed;
        bool accepted;
    } cases[] = {{"*.obj", true}, {"", false}, {"a|b", false}, {"bin\\", true}, {"*.obj", true}};
    auto inputBox = [] { return FindWindowA(FormClassName, "比較対象外の追加"); };
    std::deque<std::function<bool()>> steps;
    for (const Case& c : cases) {
        steps.push_back([&d] {
            SetForegroundWindow(d.Handle);
            ClickAt(d.Button1.Handle, ClientMiddle(d.Button1.Handle));
            return true;
        });
        steps.push_back(When([&] { return inputBox() && GetForegroundWindow() == inputBox(); },
                             [&c] {
                                 TypeText(c.typed);
                                 PressKeys({VK_RETURN});
                             }));
        if (!c.accepted) {
            steps.push_back(Pause(300)); // the refusal's message box comes and is answered
            steps.push_back(When([&] { return inputBox() && !FindCommonDialog(); },
                                 [] { PressKeys({VK_ESCAPE}); }));
        }
        steps.push_back([&] { return !inputBox(); });
    }
    steps.push_back([&d] {
        d.ExtListBox.SetSelectedIndex(0); // Thumbs.db
        ClickAt(d.Button2.Handle, ClientMiddle(d.Button2.Handle));
        return true;
    });
    steps.push_back(When([&d] { return d.ExtListBox.Count() == 2; },
                         [&d] { PostMessageA(d.OKButton.Handle, BM_CLICK, 0, 0); }));
    BoxAnswerer boxes({IDOK, IDOK});
    {
        TimedSteps script(steps);
        EXPECT_EQ(mrOK, d.ShowModal());
        EXPECT_EQ("", script.Failure);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"*.obj", L"bin\\"}), d.ExcludeMasks());
    ASSERT_EQ(2u, boxes.Seen.size());
    EXPECT_NE(std::string::npos, boxes.Seen[0].Text.find("空")) << boxes.Seen[0].Text;
    EXPECT_NE(std::string::npos, boxes.Seen[1].Text.find("使えない文字")) << boxes.Seen[1].Text;
}

TEST(EnvSetDlgTest, PictureButtonsAreNamedAndHinted)
{
    TEnvSetDlg d;
    ASSERT_TRUE(d.Create());
    d.SoundChkBox.SetChecked(true);
    // The hints show over the sound page, the one in front.
    ShowWindow(d.Handle, SW_SHOW);
    d.PageCtl.SetSelectedIndex(1);
    SetForegroundWindow(d.Handle);
    struct Case {
        const char* what;
        Button& button;
        std::string name;
    };
    const Case cases[] = {
        {"same browse", d.SameSoundFileRefButton, "すべて一致の時のサウンドファイルを選択"},
        {"same play", d.SameSoundPlayBitBtn, "すべて一致の時のサウンドを再生"},
        {"discord browse", d.DiscordSoundFileRefButton, "不一致がある時のサウンドファイルを選択"},
        {"discord play", d.DiscordSoundPlayBitBtn, "不一致がある時のサウンドを再生"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.name, AccessibleName(c.button.Handle)) << c.what;
        EXPECT_EQ(c.name, HintShownFor(c.button.Handle)) << c.what;
    }
}
