#include "mainwindow/Main.h"
#include "toolkit/Menu.h"

namespace {
void Item(HMENU menu, UINT id, const char* caption, bool checked = false)
{
    AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : 0), id, caption);
}

void RadioItem(HMENU menu, UINT id, const char* caption)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | MFT_RADIOCHECK;
    info.wID = id;
    info.dwTypeData = const_cast<char*>(caption);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

void Separator(HMENU menu)
{
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

void SubMenu(HMENU menu, HMENU sub, const char* caption)
{
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption);
}
} // namespace

HMENU CreateMainMenu()
{
    HMENU file = CreatePopupMenu();
    Item(file, CompMenuItem, "比較(&C)\tCtrl+Enter");
    Item(file, WholeCompMenuItem, "フォルダ全体を比較(&W)\tF9");
    Item(file, FolderChangeMenuItem, "フォルダの入れ替え(&F)");
    Separator(file);
    Item(file, ExitMenuItem, "終了(&X)");

    HMENU disp = CreatePopupMenu();
    Item(disp, ToolBarMenuItem, "ツールバー(&T)", true);
    Item(disp, StatusBarMenuItem, "ステータスバー(&S)", true);
    Separator(disp);
    RadioItem(disp, LargeIconMenuItem, "大きいアイコン(&G)");
    RadioItem(disp, SmallIconMenuItem, "小さいアイコン(&M)");
    RadioItem(disp, ListMenuItem, "一覧(&L)");
    RadioItem(disp, DetailMenuItem, "詳細(&D)");
    Separator(disp);
    Item(disp, AllSlctMenuItem, "すべて選択(&A)\tCtrl+A");
    Item(disp, RefreshMenuItem, "最新の情報に更新(&R)");
    CheckMenuRadio(disp, {LargeIconMenuItem, SmallIconMenuItem, ListMenuItem, DetailMenuItem},
                   LargeIconMenuItem);

    HMENU compObj = CreatePopupMenu();
    Item(compObj, CompObjDateMenuItem, "日時(&D)", true);
    Item(compObj, CompObjSizeMenuItem, "サイズ(&S)", true);
    Item(compObj, CompObjContentsMenuItem, "内容(&C)", true);
    HMENU option = CreatePopupMenu();
    SubMenu(option, compObj, "比較対象(&C)");
    Item(option, DiscordMenu, "不一致のみ表示(&N)", true);
    Separator(option);
    Item(option, EnvSetMenuItem, "環境設定(&E)...");

    HMENU help = CreatePopupMenu();
    Item(help, ContentsMenuItem, "目次(&C)");
    Separator(help);
    Item(help, AboutMenuItem, "バージョン情報(&A)...");

    HMENU bar = CreateMenu();
    SubMenu(bar, file, "ファイル(&F)");
    SubMenu(bar, disp, "表示(&D)");
    SubMenu(bar, option, "オプション(&O)");
    SubMenu(bar, help, "ヘルプ(&H)");
    return bar;
}

HMENU CreateFilePopupMenu()
{
    HMENU popup = CreatePopupMenu();
    Item(popup, CompPMenuItem, "比較(&C)");
    Separator(popup);
    RadioItem(popup, IconPMenuItem, "大きいアイコン(&G)");
    RadioItem(popup, SmallIconPMenuItem, "小さいアイコン(&M)");
    RadioItem(popup, ListPMenuItem, "一覧(&L)");
    RadioItem(popup, ReportPMenuItem, "詳細(&D)");
    Separator(popup);
    Item(popup, RefreshPMenuItem, "最新の情報に更新(&R)");
    return popup;
}
