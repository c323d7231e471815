#pragma once
#include "toolkit/Dpi.h"

#include <windows.h>

#include <string>

// Every wrapper owns one HWND. Child controls find their object through a table of
// attached windows, so the parent can hand WM_COMMAND and WM_NOTIFY back to the control
// that sent them; a control turns the codes into typed handlers of its own.
struct Control {
    HWND Handle = nullptr;
    // The DPI the window is laid out at, and its bounds at 96 dpi: a control is created
    // from 96-dpi bounds, and a change of DPI places it again from them.
    UINT Dpi = DesignDpi;
    RECT DesignBounds{};

    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // Reflected notifications: return true when the event was consumed.
    virtual bool Command(WORD /*code*/) { return false; }
    virtual bool Notify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    // A context menu asked for by a right click or the keyboard (Shift+F10, the Apps
    // key); screen is (-1, -1) for the keyboard.
    virtual bool ContextMenu(POINT /*screen*/) { return false; }
    // The window moved to a monitor of another DPI (Dpi holds the new one, the bounds
    // are already placed again): sizes of the control's own (columns, pictures) follow.
    virtual void DpiChanged(UINT /*oldDpi*/) {}
    // A size given at 96 dpi, in pixels at the control's DPI.
    int Scaled(int value) const { return ScaleTo(value, Dpi); }

    void Destroy();
    bool Exists() const { return Handle != nullptr && IsWindow(Handle); }

    // Pixels; the 96-dpi bounds follow.
    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const;  // relative to the parent's client area
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetWidth(int width);
    void SetHeight(int height);

    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetText(const std::string& text);
    std::string Text() const;
    // The text whole, also where the code page cannot hold it (a wide window keeps it so).
    void SetWideText(const std::wstring& text);
    std::wstring WideText() const;
    void SetFont(HFONT font);
    HFONT Font() const;
    // A font of the control's own by face and points, made anew at each DPI.
    void SetFontPoints(const std::string& face, int points, bool bold = false,
                       BYTE charSet = SHIFTJIS_CHARSET);
    // Lays the control out at its form's new DPI: bounds from DesignBounds, its own
    // font, then DpiChanged.
    void FollowDpi(UINT dpi);
    void SetFocus();

protected:
    // Creates a child window of a system or toolkit class and attaches this object; the
    // bounds are given at 96 dpi and scaled to the DPI of the parent's form.
    // A wide window (wideText) keeps texts the code page cannot hold, set with SetWindowTextW.
    bool CreateChild(HWND parent, const char* className, const char* text, DWORD style,
                     DWORD exStyle, int left, int top, int width, int height,
                     bool wideText = false);
    void Attach(HWND handle);

private:
    std::string fontFace_;
    int fontPoints_ = 0;
    bool fontBold_ = false;
    BYTE fontCharSet_ = SHIFTJIS_CHARSET;
    HFONT ownFont_ = nullptr;
    void MakeOwnFont();
};

// Finds the control object attached to a child window (or null).
Control* ControlOf(HWND handle);

// The one routing rule of the toolkit's containers (forms and panels) for WM_COMMAND,
// WM_NOTIFY and WM_CONTEXTMENU: the first container above a control hands the message
// to that control, once. Returns true when the control claimed it (result then holds the
// answer). A container passes what is left on with PassToParent, so the containers
// above see it as already reflected and only their own handlers get it.
bool ReflectOnce(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
LRESULT PassToParent(HWND container, UINT message, WPARAM wParam, LPARAM lParam);

// Window classes of the toolkit ("VexilForm", "VexilPanel").
void RegisterToolkitClasses();
extern const char* const FormClassName;
extern const char* const PanelClassName;

// Font by face and pixel height (negative = character height, as forms use it).
HFONT CreateFontPixels(const char* face, int heightPixels, bool bold = false,
                       BYTE charSet = SHIFTJIS_CHARSET);
// Font by face and point size at a DPI.
HFONT CreateFontPoints(const char* face, int points, UINT dpi, bool bold = false,
                       BYTE charSet = SHIFTJIS_CHARSET);
