#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/CommandGuard.h"
#include "toolkit/DialogKeys.h"

#include <algorithm>

namespace {
DWORD StyleFor(const FormArgs& a)
{
    DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
    if (a.Buttons != TitleButtons::None) style |= WS_SYSMENU;
    if (a.Buttons == TitleButtons::MinimizeAndClose || a.Buttons == TitleButtons::All)
        style |= WS_MINIMIZEBOX;
    if (a.Buttons == TitleButtons::All) style |= WS_MAXIMIZEBOX;
    if (a.Resizable) style |= WS_THICKFRAME;
    return style;
}
} // namespace

Form::~Form()
{
    // No handler of a half-destroyed form may run while the window goes.
    if (Handle) SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
    Destroy();
    if (ownFont_) DeleteObject(ownFont_);
}

bool Form::CreateForm(const FormArgs& args)
{
    InitializeToolkit();
    DWORD style = StyleFor(args);
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (!args.Resizable && args.Buttons != TitleButtons::All) exStyle |= WS_EX_DLGMODALFRAME;
    if (args.TopMost) exStyle |= WS_EX_TOPMOST;

    HWND owner = args.OwnerIsDesktop ? nullptr : (args.Owner ? args.Owner : GetActiveWindow());
    // A window opens on its owner's monitor; the platform corrects that below.
    Dpi = owner ? WindowDpi(owner) : SystemDpi();
    RECT r{0, 0, Scaled(args.Width), Scaled(args.Height)};
    if (args.ClientSize) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (args.Centered) {
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    HWND handle = CreateWindowExA(exStyle, FormClassName, args.Caption.c_str(), style, x, y, w, h,
                                  owner, nullptr, Application.Instance, this);
    if (!handle) return false;
    UINT platform = PlatformWindowDpi(handle);
    if (platform != Dpi) {
        Dpi = platform;
        r = {0, 0, Scaled(args.Width), Scaled(args.Height)};
        if (args.ClientSize) AdjustWindowRectEx(&r, style, FALSE, exStyle);
        SetWindowPos(handle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fontFace_ = args.FontFace;
    fontPoints_ = args.FontPoints;
    HFONT font = args.Font;
    if (!fontFace_.empty()) font = ownFont_ = CreateFontPoints(fontFace_.c_str(), fontPoints_, Dpi);
    if (font) SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FormCreate();
    FormResize();
    return true;
}

void Form::FormClose()
{
    if (modal_)
        ModalResult = mrCancel;
    else
        Destroy();
}

void Form::Show()
{
    if (!Handle) return;
    ShowWindow(Handle, SW_SHOW);
    UpdateWindow(Handle);
    if (ActiveControl && GetActiveWindow() == Handle) ActiveControl->SetFocus();
}

int Form::ShowModal()
{
    if (!Handle) return mrCancel;
    HWND owner = GetWindow(Handle, GW_OWNER);
    if (owner) EnableWindow(owner, FALSE);
    modal_ = true;
    ModalResult = mrNone;
    ShowWindow(Handle, SW_SHOW);
    SetForegroundWindow(Handle);
    if (ActiveControl) ActiveControl->SetFocus();
    MSG msg;
    while (ModalResult == mrNone && IsWindow(Handle)) {
        // A wide window (an edit that keeps every character) takes its messages as
        // UTF-16: the narrow calls would turn a typed "é" or emoji into "?" on the way.
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        bool wide = msg.hwnd && IsWindowUnicode(msg.hwnd);
        if (!(wide ? GetMessageW : GetMessageA)(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            ModalResult = mrCancel;
            break;
        }
        bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        if (key && (msg.hwnd == Handle || IsChild(Handle, msg.hwnd)) && FormKeyPreview(msg))
            continue;
        if (!FormDialogMessage(Handle, msg, wide)) {
            TranslateMessage(&msg);
            (wide ? DispatchMessageW : DispatchMessageA)(&msg);
        }
    }
    modal_ = false;
    // The owner comes back before this window goes, so it gets the activation.
    if (owner) EnableWindow(owner, TRUE);
    if (IsWindow(Handle)) ShowWindow(Handle, SW_HIDE);
    if (owner) SetActiveWindow(owner);
    return ModalResult == mrNone ? mrCancel : ModalResult;
}

void Form::Close()
{
    if (Handle) SendMessageA(Handle, WM_CLOSE, 0, 0);
}

void Form::SetClientSize(int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongA(Handle, GWL_STYLE), GetMenu(Handle) != nullptr,
                       GetWindowLongA(Handle, GWL_EXSTYLE));
    SetWindowPos(Handle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::ClientSize() const
{
    RECT r{};
    GetClientRect(Handle, &r);
    return {r.right, r.bottom};
}

namespace {
struct DpiChange {
    HFONT OldFont, NewFont;
};

BOOL CALLBACK PlaceAgain(HWND child, LPARAM data)
{
    const auto& change = *reinterpret_cast<const DpiChange*>(data);
    if (change.NewFont &&
        reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) == change.OldFont)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(change.NewFont), FALSE);
    if (Control* control = ControlOf(child)) control->FollowDpi(WindowDpi(child));
    return TRUE;
}
} // namespace

void Form::ApplyDpi(UINT dpi, const RECT* suggested)
{
    if (!Handle || !dpi) return;
    UINT oldDpi = Dpi;
    RECT bounds{};
    GetWindowRect(Handle, &bounds);
    if (suggested) {
        bounds = *suggested;
    } else {
        bounds.right = bounds.left + MulDiv(bounds.right - bounds.left, dpi, oldDpi);
        bounds.bottom = bounds.top + MulDiv(bounds.bottom - bounds.top, dpi, oldDpi);
    }
    Dpi = dpi;
    DpiChange change{ownFont_, nullptr};
    if (ownFont_) change.NewFont = CreateFontPoints(fontFace_.c_str(), fontPoints_, Dpi);
    if (change.NewFont) SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(change.NewFont), FALSE);
    EnumChildWindows(Handle, PlaceAgain, reinterpret_cast<LPARAM>(&change));
    if (change.NewFont) {
        DeleteObject(ownFont_);
        ownFont_ = change.NewFont;
    }
    FormDpiChanged(oldDpi);
    SetWindowPos(Handle, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FormResize();
    InvalidateRect(Handle, nullptr, TRUE);
}

namespace {
// The work area of the screen that shows most of a window, or of the nearest one.
bool WorkAreaOf(const RECT& r, RECT& work)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
    work = monitor.rcWork;
    return true;
}

// As near to where it is as the work area allows; its top left corner stays visible when
// the window is larger than the work area.
void MoveInto(HWND window, const RECT& r, const RECT& work, UINT flags)
{
    int width = r.right - r.left, height = r.bottom - r.top;
    int left = r.left, top = r.top;
    if (left > work.right - width) left = work.right - width;
    if (left < work.left) left = work.left;
    if (top > work.bottom - height) top = work.bottom - height;
    if (top < work.top) top = work.top;
    SetWindowPos(window, nullptr, left, top, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

void BringOntoScreen(HWND window)
{
    RECT r{}, work{};
    if (!window || !GetWindowRect(window, &r)) return;
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
    if (WorkAreaOf(r, work)) MoveInto(window, r, work, SWP_NOSIZE);
}

void FitIntoWorkArea(HWND window)
{
    RECT r{}, work{};
    if (!window || !GetWindowRect(window, &r) || !WorkAreaOf(r, work)) return;
    r.right = r.left + std::min(r.right - r.left, work.right - work.left);
    r.bottom = r.top + std::min(r.bottom - r.top, work.bottom - work.top);
    MoveInto(window, r, work, 0);
}

Form* FormOf(HWND handle)
{
    char className[64] = {};
    if (!handle || !GetClassNameA(handle, className, sizeof className)) return nullptr;
    if (lstrcmpA(className, FormClassName) != 0) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
}

namespace {
LRESULT FormMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<Form*>(cs->lpCreateParams);
        form->Handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    // A control's own handler comes first; the form's handlers get what it left.
    if ((message == WM_COMMAND || message == WM_NOTIFY || message == WM_CONTEXTMENU) &&
        ReflectOnce(message, wParam, lParam, result))
        return result;
    if (form->HandleMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
        if (message == WM_COMMAND && lParam == 0) {
            WORD id = LOWORD(wParam);
            if (form->MenuCommand(id)) return 0;
            if (id == IDCANCEL) { // Esc through IsDialogMessage
                form->Close();
                return 0;
            }
        }
        break;
    case WM_ACTIVATE: {
        // As a dialog does: the focus comes back to the control that had it (after a
        // message box, another window, a menu).
        HWND focus = GetFocus();
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (focus && IsChild(hwnd, focus)) form->LastFocus = focus;
            break;
        }
        HWND last = form->LastFocus;
        if (HIWORD(wParam) || !last || !IsWindow(last) || !IsChild(hwnd, last) ||
            !IsWindowVisible(last) || !IsWindowEnabled(last))
            break;
        SetFocus(last);
        return 0;
    }
    case DM_GETDEFID:
        if (form->DefaultButtonId) return MAKELRESULT(form->DefaultButtonId, DC_HASDEFID);
        break;
    case WM_SIZE:
        form->FormResize();
        return 0;
    case WM_DPICHANGED:
        form->ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        if (form->FormCloseQuery()) form->FormClose();
        return 0;
    case WM_SETFONT:
        SetPropA(hwnd, "Vexil.Font", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(hwnd, "Vexil.Font"));
    case WM_NCDESTROY:
        RemovePropA(hwnd, "Vexil.Font");
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        form->Handle = nullptr;
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return FormMessage(hwnd, message, wParam, lParam); });
}
