// Each pane says which it is, on screen and to assistive technology; the toolbar's
// picture buttons are read by their hints.
#include "tests/common/Accessibility.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/Pump.h"

#include <gtest/gtest.h>
#include <oleacc.h>

TEST(PaneNamesTest, EveryPaneControlAndToolBarButtonHasItsName)
{
    ClearStore();
    TempFolder temp;
    auto form = OpenMainWindow(temp.Path);
    form->ShowInStoredState();
    ProcessMessages();
    TMainDlg& f = *form;

    struct Case {
        const char* what;
        HWND control;
        long child;
        std::string name;
    };
    const Case cases[] = {
        {"reference history", f.SrcFolderCBoxEx.Handle, 0, "基準 フォルダ履歴"},
        {"reference tree", f.SrcFolderView.Handle, 0, "基準 フォルダツリー"},
        {"reference list", f.SrcFileView.Handle, 0, "基準 ファイル一覧"},
        {"target history", f.DesFolderCBoxEx.Handle, 0, "対象 フォルダ履歴"},
        {"target tree", f.DesFolderView.Handle, 0, "対象 フォルダツリー"},
        {"target list", f.DesFileView.Handle, 0, "対象 ファイル一覧"},
        {"toolbar", f.ToolBar.Handle, 0, "標準バー"},
        {"exit button", f.ToolBar.Handle, 1, "終了"},
        {"list button", f.ToolBar.Handle, 5, "一覧"},
        {"compare button", f.ToolBar.Handle, 11, "選択ﾌｧｲﾙを比較"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.name, AccessibleName(c.control, c.child)) << c.what;
    // The buttons are read as buttons, the group's down button as pressed.
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, AccessibleRole(f.ToolBar.Handle, 1));
    EXPECT_EQ(ROLE_SYSTEM_SEPARATOR, AccessibleRole(f.ToolBar.Handle, 2));
    EXPECT_TRUE(AccessibleState(f.ToolBar.Handle, 5) & STATE_SYSTEM_PRESSED); // 一覧
    EXPECT_FALSE(AccessibleState(f.ToolBar.Handle, 3) & STATE_SYSTEM_PRESSED);

    // On screen: a label left of each history box, wholly visible.
    for (TMainPane* pane : {&f.Src, &f.Des}) {
        const char* side = pane == &f.Src ? "基準" : "対象";
        EXPECT_EQ(side, pane->PaneLabel.Text());
        EXPECT_TRUE(IsWindowVisible(pane->PaneLabel.Handle)) << side;
        EXPECT_GE(pane->PaneLabel.Width(), pane->PaneLabel.TextWidth()) << side;
        EXPECT_LE(pane->PaneLabel.Bounds().right, pane->FolderCBoxEx.Left()) << side;
    }
    form.reset();
    ClearStore();
}
