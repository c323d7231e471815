#pragma once
#include <windows.h>

// Where the main window's controls go, by alignment: top, bottom, left and fill.
// Rectangles are relative to each control's own parent, in pixels at the window's DPI;
// the designed thicknesses below are at 96 dpi.
struct MainRects {
    RECT TopDock, StatusBar, SrcDesPanel; // in the window's client area
    RECT SrcPanel, VSplitter, DesPanel;   // in SrcDesPanel
};

struct PaneRects {
    RECT FolderPanel, HSplitter, FileView; // in the pane's panel
    RECT PaneLabel, FolderCBoxEx, FolderView; // in the folder panel
};

const int TopDockHeight = 30;
const int StatusBarHeight = 18;
const int SplitterThickness = 3;
const int FolderCBoxExHeight = 20;

MainRects LayoutMain(int clientWidth, int clientHeight, bool toolBarShown, bool statusBarShown,
                     int srcHeight, UINT dpi);
// The pane's label (基準 or 対象) stands left of the history box, as wide as its text.
PaneRects LayoutPane(int paneWidth, int paneHeight, int folderPanelWidth, UINT dpi,
                     int paneLabelWidth = 0);
