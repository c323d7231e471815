#include "toolkit/Window.h"

#include "toolkit/Application.h"
#include "toolkit/CodePage.h"

#include <unordered_map>
#include <windowsx.h>

namespace {
// The control object of each attached window. Kept in the process rather than as a
// window property: a property costs a server round trip under Wine, and the parent
// looks its child up for every notification (one per list item in a fill).
std::unordered_map<HWND, Control*>& Attached()
{
    static std::unordered_map<HWND, Control*> controls;
    return controls;
}
} // namespace

const char* const FormClassName = "VexilForm";
const char* const PanelClassName = "VexilPanel";

Control::~Control()
{
    Destroy();
    if (ownFont_) DeleteObject(ownFont_);
}

void Control::Destroy()
{
    if (Handle) {
        auto found = Attached().find(Handle);
        if (found != Attached().end() && found->second == this) Attached().erase(found);
        if (IsWindow(Handle)) DestroyWindow(Handle);
    }
    Handle = nullptr;
}

void Control::Attach(HWND handle)
{
    Handle = handle;
    if (handle) Attached()[handle] = this;
}

Control* ControlOf(HWND handle)
{
    if (!handle) return nullptr;
    auto found = Attached().find(handle);
    // A window destroyed with its parent leaves its object behind until that goes.
    if (found == Attached().end() || found->second->Handle != handle || !IsWindow(handle))
        return nullptr;
    return found->second;
}

bool Control::CreateChild(HWND parent, const char* className, const char* text, DWORD style,
                          DWORD exStyle, int left, int top, int width, int height, bool wideText)
{
    // Each child gets its own id, so dialog navigation can press a default button.
    static int nextId = 1000;
    Dpi = WindowDpi(parent);
    DesignBounds = {left, top, left + width, top + height};
    auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++));
    HWND h = wideText ? CreateWindowExW(exStyle | WS_EX_NOPARENTNOTIFY, WideOf(className).c_str(),
                                        WideOf(text).c_str(), style | WS_CHILD, Scaled(left),
                                        Scaled(top), Scaled(width), Scaled(height), parent, id,
                                        Application.Instance, nullptr)
                      : CreateWindowExA(exStyle | WS_EX_NOPARENTNOTIFY, className, text,
                                        style | WS_CHILD, Scaled(left), Scaled(top), Scaled(width),
                                        Scaled(height), parent, id, Application.Instance, nullptr);
    if (!h) return false;
    Attach(h);
    if (parent) SetFont(reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0)));
    return true;
}

void Control::SetBounds(int left, int top, int width, int height)
{
    DesignBounds = {UnscaleFrom(left, Dpi), UnscaleFrom(top, Dpi), UnscaleFrom(left + width, Dpi),
                    UnscaleFrom(top + height, Dpi)};
    if (Handle) MoveWindow(Handle, left, top, width, height, TRUE);
}

RECT Control::Bounds() const
{
    RECT r{};
    if (!Handle) return r;
    GetWindowRect(Handle, &r);
    HWND parent = GetParent(Handle);
    if (parent && (GetWindowLongA(Handle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Control::Width() const
{
    RECT r = Bounds();
    return r.right - r.left;
}

int Control::Height() const
{
    RECT r = Bounds();
    return r.bottom - r.top;
}

void Control::SetLeft(int left)
{
    RECT r = Bounds();
    SetBounds(left, r.top, r.right - r.left, r.bottom - r.top);
}

void Control::SetWidth(int width)
{
    RECT r = Bounds();
    SetBounds(r.left, r.top, width, r.bottom - r.top);
}

void Control::SetHeight(int height)
{
    RECT r = Bounds();
    SetBounds(r.left, r.top, r.right - r.left, height);
}

void Control::SetEnabled(bool enabled)
{
    if (Handle) EnableWindow(Handle, enabled ? TRUE : FALSE);
}

bool Control::Enabled() const { return Handle && IsWindowEnabled(Handle); }

void Control::SetVisible(bool visible)
{
    if (Handle) ShowWindow(Handle, visible ? SW_SHOW : SW_HIDE);
}

bool Control::Visible() const
{
    return Handle && (GetWindowLongA(Handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetText(const std::string& text)
{
    if (Handle) SetWindowTextA(Handle, text.c_str());
}

void Control::SetWideText(const std::wstring& text)
{
    if (Handle) SetWindowTextW(Handle, text.c_str());
}

std::wstring Control::WideText() const
{
    if (!Handle) return {};
    int length = GetWindowTextLengthW(Handle);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(Handle, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string Control::Text() const
{
    if (!Handle) return {};
    int length = GetWindowTextLengthA(Handle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(Handle, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void Control::SetFont(HFONT font)
{
    if (Handle) SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::SetFontPoints(const std::string& face, int points, bool bold, BYTE charSet)
{
    fontFace_ = face;
    fontPoints_ = points;
    fontBold_ = bold;
    fontCharSet_ = charSet;
    MakeOwnFont();
}

void Control::MakeOwnFont()
{
    if (fontFace_.empty() || !Handle) return;
    HFONT old = ownFont_;
    ownFont_ = CreateFontPoints(fontFace_.c_str(), fontPoints_, Dpi, fontBold_, fontCharSet_);
    SetFont(ownFont_);
    if (old) DeleteObject(old);
}

void Control::FollowDpi(UINT dpi)
{
    UINT oldDpi = Dpi;
    Dpi = dpi;
    const RECT& d = DesignBounds;
    if (Handle)
        SetWindowPos(Handle, nullptr, Scaled(d.left), Scaled(d.top), Scaled(d.right) - Scaled(d.left),
                     Scaled(d.bottom) - Scaled(d.top), SWP_NOZORDER | SWP_NOACTIVATE);
    if (oldDpi == Dpi) return;
    MakeOwnFont();
    DpiChanged(oldDpi);
}

HFONT Control::Font() const
{
    return Handle ? reinterpret_cast<HFONT>(SendMessageA(Handle, WM_GETFONT, 0, 0)) : nullptr;
}

void Control::SetFocus()
{
    if (Handle) ::SetFocus(Handle);
}

namespace {
// The message a container is passing up after its control had it; the next container
// that sees it takes the mark off, so messages sent meanwhile are routed afresh.
struct PassedUp {
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    bool Set = false;
} passedUp;

Control* SenderOf(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: // menus and accelerators have no control
        return lParam ? ControlOf(reinterpret_cast<HWND>(lParam)) : nullptr;
    case WM_NOTIFY:
        return lParam ? ControlOf(reinterpret_cast<NMHDR*>(lParam)->hwndFrom) : nullptr;
    case WM_CONTEXTMENU:
        return ControlOf(reinterpret_cast<HWND>(wParam));
    }
    return nullptr;
}
} // namespace

bool ReflectOnce(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (passedUp.Set && passedUp.Message == message && passedUp.WParam == wParam &&
        passedUp.LParam == lParam) {
        passedUp.Set = false;
        return false;
    }
    Control* c = SenderOf(message, wParam, lParam);
    if (!c) return false;
    if (message == WM_COMMAND) return c->Command(HIWORD(wParam));
    if (message == WM_NOTIFY) return c->Notify(reinterpret_cast<NMHDR*>(lParam), result);
    result = 0;
    return c->ContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT PassToParent(HWND container, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(container);
    if (!parent) return 0;
    passedUp = {message, wParam, lParam, true};
    LRESULT result = SendMessageA(parent, message, wParam, lParam);
    passedUp.Set = false;
    return result;
}

HFONT CreateFontPixels(const char* face, int heightPixels, bool bold, BYTE charSet)
{
    return CreateFontA(-heightPixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       charSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HFONT CreateFontPoints(const char* face, int points, UINT dpi, bool bold, BYTE charSet)
{
    return CreateFontPixels(face, PointsToPixels(points, dpi), bold, charSet);
}
