#pragma once
#include "toolkit/Window.h"

#include <commctrl.h>
#include <functional>
#include <vector>

// One button of a toolbar; Id 0 makes a separator. Buttons of a group act as radio
// buttons: one of them is down at a time.
struct ToolBarButton {
    UINT Id = 0;
    int Picture = -1; // index in the picture list
    std::string Hint; // shown as a tooltip on hover
    bool Group = false;
    int Width = 24; // at 96 dpi, as all sizes here
};

// Draws a picture list of the given size in pixels (16 at 96 dpi), enabled or disabled.
using PictureMaker = std::function<HIMAGELIST(int size, bool disabled)>;

struct TToolBar;

// A strip at the top edge that carries one toolbar, with a line above and below and a
// drag handle at the toolbar's left.
// The handle moves the toolbar along the dock; the dock is its only place.
struct TToolDock : Control {
    TToolBar* Bar = nullptr;
    bool Create(HWND parent, int left, int top, int width, int height);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

private:
    bool dragging_ = false;
    int grabX_ = 0; // where the handle was taken, relative to the bar's left
    bool OverHandle(int x, int y) const;
    void PlaceBar(int left); // kept between the handle's room and the dock's right end
};

// A flat toolbar with pictures of 16 x 16 at 96 dpi (drawn anew at each DPI) and tooltips.
struct TToolBar : Control {
    static constexpr int HandleWidth = 9; // the drag handle drawn by the dock
    static constexpr int EndGap = 3;      // blank gap at each end
    static constexpr int ButtonSize = 24;
    static constexpr int PictureSize = 16;
    std::string Caption;
    std::function<void(UINT id)> OnButtonClick;

    bool Create(TToolDock& dock, const std::string& caption,
                const std::vector<ToolBarButton>& buttons, PictureMaker pictures);
    void DpiChanged(UINT oldDpi) override;
    SIZE PictureExtent() const; // of the pictures in use, in pixels
    void SetDown(UINT id, bool down); // a group button going down releases the others
    bool Down(UINT id) const;
    void SetButtonEnabled(UINT id, bool enabled);
    RECT ButtonRect(UINT id) const; // in the toolbar's client area
    int ButtonsWidth() const;       // both end gaps included
    void Click(UINT id);            // as the user's click does

private:
    std::vector<std::string> hints_;
    // The buttons as assistive technology reads them: each called by its hint.
    std::vector<struct AccessibleItem> AccessibleButtons() const;
    std::vector<ToolBarButton> buttons_;
    PictureMaker pictures_;
    HIMAGELIST lists_[2] = {};
    void SetPicturesAndSizes();
    int NextButton(int from, int step) const; // the next enabled button's index, or from
    static LRESULT CALLBACK KeysProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

// A picture list of size x size pictures drawn by a routine per index. The routine
// draws on a grid of 16 x 16 units, which the list maps onto the size asked for: the
// lines are drawn at that size, never a small bitmap stretched.
HIMAGELIST DrawPictureList(int count,
                           const std::function<void(HDC, int index, bool disabled)>& draw,
                           bool disabled, int size);
