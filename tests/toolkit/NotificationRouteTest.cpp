// A control's notifications and commands, given by real mouse input to a control that
// sits three panels deep, as the main window nests its lists.
#include "tests/common/RealInput.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

#include <gtest/gtest.h>

namespace {
struct CountingList : ListView {
    bool Claim = false;
    int Clicks = 0;
    bool Notify(NMHDR* header, LRESULT& result) override
    {
        if (header->code != NM_CLICK) return ListView::Notify(header, result);
        ++Clicks;
        return Claim;
    }
};

struct CountingButton : Button {
    int Clicks = 0;
    bool Command(WORD code) override
    {
        if (code == BN_CLICKED) ++Clicks;
        return false;
    }
};

struct NestingForm : Form {
    Panel Outer, Middle, Inner;
    CountingList List;
    CountingButton Push;
    int ListClicks = 0, PushClicks = 0;

    void FormCreate() override
    {
        Outer.Create(Handle, 0, 0, 400, 300);
        Middle.Create(Outer.Handle, 10, 10, 380, 280);
        Inner.Create(Middle.Handle, 10, 10, 360, 260);
        List.Create(Inner.Handle, 0, 0, 360, 200, true, false);
        List.AddColumn("名前", 200, TextAlign::Left);
        List.OnGetText = [](int row, int) { return "行" + std::to_string(row); };
        List.SetRowCount(3);
        Push.Create(Inner.Handle, "押す", 10, 220, 80, 25);
    }
    bool HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == List.Handle &&
            reinterpret_cast<NMHDR*>(lParam)->code == NM_CLICK)
            ++ListClicks;
        if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == Push.Handle) ++PushClicks;
        return false;
    }
};

struct NotificationRoute : ::testing::Test {
    NestingForm Form;
    void SetUp() override
    {
        FormArgs args;
        args.Caption = "入れ子";
        args.Width = 400;
        args.Height = 300;
        ASSERT_TRUE(Form.CreateForm(args));
        Form.Show();
        SetForegroundWindow(Form.Handle);
        Settle();
    }
};
} // namespace

TEST_F(NotificationRoute, UnclaimedReachesControlOnceThenForm)
{
    ClickAt(Form.List.Handle, ListItemPoint(Form.List.Handle, 1));
    Settle();
    EXPECT_EQ(1, Form.List.Clicks);
    EXPECT_EQ(1, Form.ListClicks);
    EXPECT_EQ(1, Form.List.Selected()); // the click was the list's own, on row 1

    ClickAt(Form.Push.Handle, ClientMiddle(Form.Push.Handle));
    Settle();
    EXPECT_EQ(1, Form.Push.Clicks);
    EXPECT_EQ(1, Form.PushClicks);
}

TEST_F(NotificationRoute, ClaimedStopsAtControl)
{
    Form.List.Claim = true;
    ClickAt(Form.List.Handle, ListItemPoint(Form.List.Handle, 2));
    Settle();
    EXPECT_EQ(1, Form.List.Clicks);
    EXPECT_EQ(0, Form.ListClicks);
}
