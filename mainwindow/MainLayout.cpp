#include "mainwindow/MainLayout.h"

#include "toolkit/Dpi.h"

#include <algorithm>

namespace {
RECT Rect(int left, int top, int width, int height)
{
    return {left, top, left + std::max(width, 0), top + std::max(height, 0)};
}
} // namespace

MainRects LayoutMain(int clientWidth, int clientHeight, bool toolBarShown, bool statusBarShown,
                     int srcHeight, UINT dpi)
{
    MainRects r{};
    // A dock without a visible toolbar takes no room.
    int top = toolBarShown ? std::min(ScaleTo(TopDockHeight, dpi), clientHeight) : 0;
    r.TopDock = Rect(0, 0, clientWidth, top);
    int bottom = statusBarShown ? std::min(ScaleTo(StatusBarHeight, dpi), clientHeight - top) : 0;
    r.StatusBar = Rect(0, clientHeight - bottom, clientWidth, bottom);
    int fillHeight = std::max(clientHeight - top - bottom, 0);
    r.SrcDesPanel = Rect(0, top, clientWidth, fillHeight);

    int src = std::min(srcHeight, fillHeight);
    r.SrcPanel = Rect(0, 0, clientWidth, src);
    int bar = std::min(ScaleTo(SplitterThickness, dpi), fillHeight - src);
    r.VSplitter = Rect(0, src, clientWidth, bar);
    r.DesPanel = Rect(0, src + bar, clientWidth, fillHeight - src - bar);
    return r;
}

PaneRects LayoutPane(int paneWidth, int paneHeight, int folderPanelWidth, UINT dpi,
                     int paneLabelWidth)
{
    PaneRects r{};
    int folder = std::min(folderPanelWidth, paneWidth);
    r.FolderPanel = Rect(0, 0, folder, paneHeight);
    int bar = std::min(ScaleTo(SplitterThickness, dpi), paneWidth - folder);
    r.HSplitter = Rect(folder, 0, bar, paneHeight);
    r.FileView = Rect(folder + bar, 0, paneWidth - folder - bar, paneHeight);
    int box = std::min(ScaleTo(FolderCBoxExHeight, dpi), paneHeight);
    int label = std::min(paneLabelWidth, folder);
    r.PaneLabel = Rect(0, 0, label, box);
    r.FolderCBoxEx = Rect(label, 0, folder - label, box);
    r.FolderView = Rect(0, box, folder, paneHeight - box);
    return r;
}
