#pragma once
#include "toolkit/Window.h"

#include <vector>

// The platform's status bar at the bottom of its parent, with fixed-width panels.
struct TStatusBar : Control {
    // Panel widths and height at 96 dpi.
    bool Create(HWND parent, std::vector<int> panelWidths, int height);
    void DpiChanged(UINT oldDpi) override;
    void SetPanelText(int panel, const std::string& text);
    std::string PanelText(int panel) const;

private:
    std::vector<int> panelWidths_;
    void SetParts();
};
