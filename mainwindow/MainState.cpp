#include "mainwindow/MainState.h"

#include "mainwindow/MainLayout.h"

#include "mainwindow/Main.h"
#include "settings/EnvReg.h"
#include "settings/RegistryStore.h"
#include "toolkit/CodePage.h"
#include "toolkit/Menu.h"

#include <algorithm>

// The main window's state in section "Main" (and the two bar flags of "Environment"),
// read straight into the window's controls and written straight from them.
//
// Sizes (window width and height, panel sizes, column widths) are stored at 96 dpi:
// scaled by the DPI in force at load and back at save, so a key opens the same layout
// at any DPI. The position stays in screen pixels. Each size is clamped at load to what
// can be seen and used, so a damaged value heals at the next save.
namespace {
const char* const Main = "Main";
const char* const Environment = "Environment";
// Least and most of what a stored value may give, at 96 dpi (fonts in points).
const int MinFolderPanelWidth = 30;
const int MinWindowWidth = 240;
const int MinWindowHeight = 180;
const int MinPaneHeight = 30;
const int MinColumnWidth = 16;
const int DesignedFontPoints = 9;
const int MinFontPoints = 6;
const int MaxFontPoints = 72;
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

// Stored 96-dpi size to pixels at the window's DPI and back.
int Shown(const TMainDlg& form, int stored)
{
    return form.Scaled(stored);
}
int Stored(const TMainDlg& form, int pixels)
{
    return UnscaleFrom(pixels, form.Dpi);
}

// A stored size in pixels, kept between least and most (most wins when they cross).
int ReadSize(const TMainDlg& form, const std::string& name, int defaultPixels, int least,
             int most)
{
    int pixels = Shown(form, ReadInteger(Main, name, Stored(form, defaultPixels)));
    return std::max(std::min(pixels, most), std::min(least, most));
}

// Width of the window's client area, and the height its two panes share.
SIZE PaneRoom(const TMainDlg& form)
{
    SIZE client = form.ClientSize();
    return {client.cx, form.SrcDesPanel.Height()};
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
    if (face.empty() || face.size() >= LF_FACESIZE) face = "ＭＳ Ｐゴシック";
    // A size that cannot be read or shown falls back to the designed one; a large one
    // stops where a file name still fits the screen.
    int size = ReadInteger(Main, "MsgFontSize", DesignedFontPoints);
    if (size <= 0) size = DesignedFontPoints;
    size = std::max(MinFontPoints, std::min(size, MaxFontPoints));
    int style = ReadInteger(Main, "MsgFontStyle", 0) & 15;
    view.SetViewFont(face, size, style);
    view.SetFontColor(static_cast<COLORREF>(
        ReadInteger(Main, "MsgTextColor", static_cast<int>(view.FontColor()))));
}

const char* const ColumnNames[] = {"NameWidth", "SizeWidth", "KindWidth", "DateWidth"};

void LoadColumnWidths(const TMainDlg& form, TFileView& list, const std::string& prefix)
{
    if (list.ColumnWidth(0) == 0) return;
    // A column narrower than a few letters, or wider than the screen, shows nothing.
    int most = std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), form.Scaled(MinColumnWidth));
    for (int i = 0; i < 4; ++i) {
        int current = i == 1 ? form.Scaled(70) : list.ColumnWidth(i);
        list.SetColumnWidth(
            i, ReadSize(form, prefix + ColumnNames[i], current, form.Scaled(MinColumnWidth), most));
    }
}

void SaveColumnWidths(const TMainDlg& form, const TFileView& list, const std::string& prefix)
{
    if (list.ColumnWidth(0) == 0) return;
    for (int i = 0; i < 4; ++i)
        WriteInteger(Main, prefix + ColumnNames[i], Stored(form, list.ColumnWidth(i)));
}

// A folder is stored as its code-page text, as it always was ("?" for what the code page
// cannot hold); the real spelling goes beside it, in a value of its own ("...Real"), only
// for a name that needs it. The real one counts only while the text is still its
// code-page form, so a value an earlier build wrote over reads as that build wrote it.
std::wstring ReadFolder(const std::string& name, const std::string& defaultText)
{
    std::string text = ReadString(Main, name, defaultText);
    std::wstring real;
    if (ReadRealString(Main, name + "Real", real) && CodePageText(real) == text) return real;
    return WideOf(text);
}

void WriteFolder(const std::string& name, const std::string& text, const std::wstring& real)
{
    WriteString(Main, name, text);
    if (!real.empty() && CodePageText(real) == text && WideOf(text) != real)
        WriteRealString(Main, name + "Real", real);
    else
        DeleteValue(Main, name + "Real");
}

void LoadHistory(TComboBoxEx& box, const std::string& prefix)
{
    for (int i = 0; i < 10; ++i) {
        std::wstring entry = ReadFolder(prefix + std::to_string(i), "");
        if (!entry.empty()) box.Add(entry);
    }
    box.SetItemIndex(-1);
}

void SaveHistory(const TComboBoxEx& box, const std::string& prefix)
{
    // Entries are never deleted: indexes not written keep an earlier run's value.
    for (int i = 0; i < box.Count(); ++i) {
        std::wstring entry = box.RealItem(i);
        if (!entry.empty()) WriteFolder(prefix + std::to_string(i), CodePageText(entry), entry);
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
    // No smaller than a usable window, no larger than all screens together.
    int height = ReadSize(form, "Height", r.bottom - r.top, form.Scaled(MinWindowHeight),
                          GetSystemMetrics(SM_CYVIRTUALSCREEN));
    SetWindowPos(form.Handle, nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int width = ReadSize(form, "Width", r.right - r.left, form.Scaled(MinWindowWidth),
                         GetSystemMetrics(SM_CXVIRTUALSCREEN));
    SetWindowPos(form.Handle, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Stored bounds that no screen shows any more (a screen removed, a bad value) would
    // leave the window unreachable.
    BringOntoScreen(form.Handle);

    int state = ReadInteger(Main, "WindowState", WindowState(form));

    SetMenuChecked(form.MainMenu, ToolBarMenuItem, ReadBool(Environment, "ToolBarDisp", true));
    SetMenuChecked(form.MainMenu, StatusBarMenuItem, ReadBool(Environment, "StatusBarDisp", true));
    form.SetBarsFromMarks();

    LoadHistory(form.SrcFolderCBoxEx, "SrcFolderList");
    LoadHistory(form.DesFolderCBoxEx, "DesFolderList");

    form.SrcFolderView.SelectPath(ReadFolder("SrcDirectory", CurrentDirectory()));
    LoadAppearance(form.SrcFolderView);
    // A folder panel leaves room for the file list beside it.
    int least = form.Scaled(MinFolderPanelWidth);
    int widest = PaneRoom(form).cx - form.Scaled(SplitterThickness) - least;
    form.SetFolderPanelWidth(
        form.Src, ReadSize(form, "SrcFolderViewWidth", form.Scaled(200), least, widest));
    form.SrcFileView.SetViewStyle(
        ReadInteger(Main, "SrcFileVViewStyle", form.SrcFileView.ViewStyle()));
    form.UpdateViewStyleMarks(form.SrcFileView);
    LoadAppearance(form.SrcFileView);
    LoadColumnWidths(form, form.SrcFileView, "SrcFV");

    form.DesFolderView.SelectPath(ReadFolder("DesDirectory", CurrentDirectory()));
    LoadAppearance(form.DesFolderView);
    form.SetFolderPanelWidth(
        form.Des, ReadSize(form, "DesFolderViewWidth", form.Scaled(200), least, widest));
    form.DesFileView.SetViewStyle(
        ReadInteger(Main, "DesFileVViewStyle", form.DesFileView.ViewStyle()));
    LoadAppearance(form.DesFileView);
    LoadColumnWidths(form, form.DesFileView, "DesFV");

    // Both panes stay in sight.
    int lowest = form.Scaled(MinPaneHeight);
    form.SetSrcPanelHeight(ReadSize(form, "SrcHeight", form.SrcPanelHeight, lowest,
                                    PaneRoom(form).cy - form.Scaled(SplitterThickness) - lowest));
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
        WriteInteger(Main, "Height", Stored(form, r.bottom - r.top));
        WriteInteger(Main, "Width", Stored(form, r.right - r.left));
    }
    WriteBool(Environment, "ToolBarDisp", form.ToolBarShown());
    WriteBool(Environment, "StatusBarDisp", form.StatusBarShown());

    const TFolderView& tree = form.SrcFolderView;
    WriteFolder("SrcDirectory", form.SrcFolderView.GetSelectedPath(),
                form.SrcFolderView.GetSelectedRealPath());
    WriteInteger(Main, "ViewBColor", static_cast<int>(tree.BackColor()));
    WriteString(Main, "MsgFontName", tree.Look().FontName);
    WriteInteger(Main, "MsgFontSize", tree.Look().FontSize);
    WriteInteger(Main, "MsgFontStyle", tree.Look().FontStyle);
    WriteInteger(Main, "MsgTextColor", static_cast<int>(tree.FontColor()));
    WriteInteger(Main, "SrcFolderViewWidth",
                 AtLeastMinWidth(Stored(form, form.Src.FolderPanelWidth)));

    WriteInteger(Main, "SrcFileVViewStyle", form.SrcFileView.ViewStyle());
    SaveColumnWidths(form, form.SrcFileView, "SrcFV");
    WriteFolder("DesDirectory", form.DesFolderView.GetSelectedPath(),
                form.DesFolderView.GetSelectedRealPath());
    WriteInteger(Main, "DesFileVViewStyle", form.DesFileView.ViewStyle());
    SaveColumnWidths(form, form.DesFileView, "DesFV");
    WriteInteger(Main, "DesFolderViewWidth",
                 AtLeastMinWidth(Stored(form, form.Des.FolderPanelWidth)));

    SaveHistory(form.SrcFolderCBoxEx, "SrcFolderList");
    SaveHistory(form.DesFolderCBoxEx, "DesFolderList");
    WriteInteger(Main, "SrcHeight", Stored(form, form.SrcPanelHeight));
}
