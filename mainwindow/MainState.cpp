#include "mainwindow/MainState.h"

#include "mainwindow/Main.h"
#include "settings/EnvReg.h"
#include "settings/RegistryStore.h"
#include "toolkit/Menu.h"

// The main window's state in section "Main" (and the two bar flags of "Environment"),
// read straight into the window's controls and written straight from them.
namespace {
const char* const Main = "Main";
const char* const Environment = "Environment";
const int MinFolderPanelWidth = 30;
const COLORREF PureWhite = 0x00FFFFFF;

std::string CurrentDirectory()
{
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    std::string path(length, '\0');
    DWORD got = GetCurrentDirectoryA(length, &path[0]);
    path.resize(got < length ? got : 0);
    return path;
}

int AtLeastMinWidth(int width)
{
    return width < MinFolderPanelWidth ? MinFolderPanelWidth : width;
}

int WindowState(const TMainDlg& form)
{
    if (IsZoomed(form.Handle)) return 2;
    if (IsIconic(form.Handle)) return 1;
    return 0;
}

// Appearance stored once, from the reference tree; loaded into each of the four views.
template <typename View> void LoadAppearance(View& view)
{
    COLORREF back =
        static_cast<COLORREF>(ReadInteger(Main, "ViewBColor", static_cast<int>(view.BackColor())));
    // Pure white was the old way of saying "the window colour".
    if (back == PureWhite) back = clWindow;
    view.SetBackColor(back);
    std::string face = ReadString(Main, "MsgFontName", "ＭＳ Ｐゴシック");
    int size = ReadInteger(Main, "MsgFontSize", 9);
    int style = ReadInteger(Main, "MsgFontStyle", 0);
    view.SetViewFont(face, size, style);
    view.SetFontColor(static_cast<COLORREF>(
        ReadInteger(Main, "MsgTextColor", static_cast<int>(view.FontColor()))));
}

void LoadColumnWidths(TFileView& list, const std::string& prefix)
{
    if (list.ColumnWidth(0) == 0) return;
    list.SetColumnWidth(0, ReadInteger(Main, prefix + "NameWidth", list.ColumnWidth(0)));
    list.SetColumnWidth(1, ReadInteger(Main, prefix + "SizeWidth", 70));
    list.SetColumnWidth(2, ReadInteger(Main, prefix + "KindWidth", list.ColumnWidth(2)));
    list.SetColumnWidth(3, ReadInteger(Main, prefix + "DateWidth", list.ColumnWidth(3)));
}

void SaveColumnWidths(const TFileView& list, const std::string& prefix)
{
    if (list.ColumnWidth(0) == 0) return;
    WriteInteger(Main, prefix + "NameWidth", list.ColumnWidth(0));
    WriteInteger(Main, prefix + "SizeWidth", list.ColumnWidth(1));
    WriteInteger(Main, prefix + "KindWidth", list.ColumnWidth(2));
    WriteInteger(Main, prefix + "DateWidth", list.ColumnWidth(3));
}

void SaveHistory(const TComboBoxEx& box, const std::string& prefix)
{
    // Entries are never deleted: indexes not written keep an earlier run's value.
    for (int i = 0; i < box.Count(); ++i) {
        std::string entry = box.Item(i);
        if (!entry.empty()) WriteString(Main, prefix + std::to_string(i), entry);
    }
}
} // namespace

int LoadMainState(TMainDlg& form)
{
    RECT r = form.Bounds();
    int top = ReadInteger(Main, "Top", r.top);
    SetWindowPos(form.Handle, nullptr, r.left, top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int left = ReadInteger(Main, "Left", r.left);
    SetWindowPos(form.Handle, nullptr, left, top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int height = ReadInteger(Main, "Height", r.bottom - r.top);
    SetWindowPos(form.Handle, nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int width = ReadInteger(Main, "Width", r.right - r.left);
    SetWindowPos(form.Handle, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Stored bounds that no screen shows any more (a screen removed, a bad value) would
    // leave the window unreachable.
    BringOntoScreen(form.Handle);

    int state = ReadInteger(Main, "WindowState", WindowState(form));

    SetMenuChecked(form.MainMenu, ToolBarMenuItem, ReadBool(Environment, "ToolBarDisp", true));
    SetMenuChecked(form.MainMenu, StatusBarMenuItem, ReadBool(Environment, "StatusBarDisp", true));
    form.SetBarsFromMarks();

    for (int i = 0; i < 10; ++i) {
        std::string src = ReadString(Main, "SrcFolderList" + std::to_string(i), "");
        if (!src.empty()) form.SrcFolderCBoxEx.Add(src);
        std::string des = ReadString(Main, "DesFolderList" + std::to_string(i), "");
        if (!des.empty()) form.DesFolderCBoxEx.Add(des);
    }
    form.SrcFolderCBoxEx.SetItemIndex(-1);
    form.DesFolderCBoxEx.SetItemIndex(-1);

    form.SrcFolderView.SelectPath(ReadString(Main, "SrcDirectory", CurrentDirectory()));
    LoadAppearance(form.SrcFolderView);
    form.SetFolderPanelWidth(form.Src,
                             AtLeastMinWidth(ReadInteger(Main, "SrcFolderViewWidth", 200)));
    form.SrcFileView.SetViewStyle(
        ReadInteger(Main, "SrcFileVViewStyle", form.SrcFileView.ViewStyle()));
    form.UpdateViewStyleMarks(form.SrcFileView);
    LoadAppearance(form.SrcFileView);
    LoadColumnWidths(form.SrcFileView, "SrcFV");

    form.DesFolderView.SelectPath(ReadString(Main, "DesDirectory", CurrentDirectory()));
    LoadAppearance(form.DesFolderView);
    form.SetFolderPanelWidth(form.Des,
                             AtLeastMinWidth(ReadInteger(Main, "DesFolderViewWidth", 200)));
    form.DesFileView.SetViewStyle(
        ReadInteger(Main, "DesFileVViewStyle", form.DesFileView.ViewStyle()));
    LoadAppearance(form.DesFileView);
    LoadColumnWidths(form.DesFileView, "DesFV");

    form.SetSrcPanelHeight(ReadInteger(Main, "SrcHeight", form.SrcPanelHeight));
    return state;
}

void SaveMainState(TMainDlg& form)
{
    int state = WindowState(form);
    WriteInteger(Main, "WindowState", state);
    if (state != 2) {
        // A minimized window's own rectangle lies off the screen; its normal bounds count.
        RECT r = form.Bounds();
        if (state == 1) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            if (GetWindowPlacement(form.Handle, &placement)) r = placement.rcNormalPosition;
        }
        WriteInteger(Main, "Top", r.top);
        WriteInteger(Main, "Left", r.left);
        WriteInteger(Main, "Height", r.bottom - r.top);
        WriteInteger(Main, "Width", r.right - r.left);
    }
    WriteBool(Environment, "ToolBarDisp", form.ToolBarShown());
    WriteBool(Environment, "StatusBarDisp", form.StatusBarShown());

    const TFolderView& tree = form.SrcFolderView;
    WriteString(Main, "SrcDirectory", form.SrcFolderView.GetSelectedPath());
    WriteInteger(Main, "ViewBColor", static_cast<int>(tree.BackColor()));
    WriteString(Main, "MsgFontName", tree.Look().FontName);
    WriteInteger(Main, "MsgFontSize", tree.Look().FontSize);
    WriteInteger(Main, "MsgFontStyle", tree.Look().FontStyle);
    WriteInteger(Main, "MsgTextColor", static_cast<int>(tree.FontColor()));
    WriteInteger(Main, "SrcFolderViewWidth", AtLeastMinWidth(form.Src.FolderPanelWidth));

    WriteInteger(Main, "SrcFileVViewStyle", form.SrcFileView.ViewStyle());
    SaveColumnWidths(form.SrcFileView, "SrcFV");
    WriteString(Main, "DesDirectory", form.DesFolderView.GetSelectedPath());
    WriteInteger(Main, "DesFileVViewStyle", form.DesFileView.ViewStyle());
    SaveColumnWidths(form.DesFileView, "DesFV");
    WriteInteger(Main, "DesFolderViewWidth", AtLeastMinWidth(form.Des.FolderPanelWidth));

    SaveHistory(form.SrcFolderCBoxEx, "SrcFolderList");
    SaveHistory(form.DesFolderCBoxEx, "DesFolderList");
    WriteInteger(Main, "SrcHeight", form.SrcPanelHeight);
}
