#pragma once
#include "toolkit/Window.h"

// Which title-bar buttons a form shows.
enum class TitleButtons { None, CloseOnly, MinimizeAndClose, All };

struct FormArgs {
    std::string Caption;
    int Width = 0;  // at 96 dpi: client size when ClientSize, else outer size
    int Height = 0;
    bool ClientSize = true;
    bool Resizable = false;
    TitleButtons Buttons = TitleButtons::CloseOnly;
    bool TopMost = false;
    bool Centered = true;
    HFONT Font = nullptr;     // a font of the caller's for the form, kept as it is
    HWND Owner = nullptr;     // null: the window active at creation
    bool OwnerIsDesktop = false;  // the main window has no owner
    // Or the form's font, inherited by its controls, by face and points: made anew at
    // each DPI.
    std::string FontFace;
    int FontPoints = 9;
};

// Modal results, as the dialogs return them.
enum ModalResult : int { mrNone = 0, mrOK = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

// A top-level window created per use. A derived form creates its controls in
// FormCreate and names its handlers after control and event.
struct Form : Control {
    int ModalResult = mrNone;
    int DefaultButtonId = 0;  // answered to DM_GETDEFID so Enter presses it
    Control* ActiveControl = nullptr;  // takes the keyboard focus when the form is shown
    HWND LastFocus = nullptr;  // the control that had the focus when the form was deactivated

    ~Form() override;
    bool CreateForm(const FormArgs& args);

    virtual void FormCreate() {}
    virtual void FormResize() {}
    // After a change of DPI: the controls are placed again from their 96-dpi bounds and
    // carry the new form font; what the form sized itself follows here (FormResize comes
    // next).
    virtual void FormDpiChanged(UINT /*oldDpi*/) {}
    virtual bool FormCloseQuery() { return true; }
    // A close request granted by FormCloseQuery: modal forms end with mrCancel,
    // others are destroyed. Forms that want another behaviour override it.
    virtual void FormClose();
    // Menu and accelerator commands (WM_COMMAND without a control).
    virtual bool MenuCommand(WORD /*id*/) { return false; }
    // A key pressed anywhere in the modal form, before the focused control and dialog
    // navigation see it (a view's F8 wherever the focus is); true when used.
    virtual bool FormKeyPreview(const MSG& /*msg*/) { return false; }
    // Any other message; return true when handled, with result set.
    virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

    void Show();
    int ShowModal();  // disables the owner, runs a loop until ModalResult is set
    void Close();     // asks the form to close, as the close box does
    bool IsModal() const { return modal_; }
    void SetClientSize(int width, int height);
    SIZE ClientSize() const;

    // Lays the form out at another DPI, as WM_DPICHANGED asks, at the suggested bounds
    // (or its own size scaled when none is given).
    void ApplyDpi(UINT dpi, const RECT* suggested);

    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

private:
    bool modal_ = false;
    std::string fontFace_;
    int fontPoints_ = 9;
    HFONT ownFont_ = nullptr;
};

// The form a top-level window belongs to, or null for windows of others.
Form* FormOf(HWND handle);

// Moves a top-level window that lies wholly outside every screen onto the work area of
// the nearest one, keeping its size; a window at least partly on a screen stays put.
void BringOntoScreen(HWND window);
// Makes a top-level window no larger than the work area of its screen and moves it
// wholly onto it, as near to where it was as the work area allows.
void FitIntoWorkArea(HWND window);
