#include "toolkit/ToolBar.h"

#include "toolkit/AccessibleName.h"
#include "toolkit/Application.h"
#include "toolkit/CommandGuard.h"

#include <algorithm>
#include <oleacc.h>
#include <windowsx.h>

namespace {
const char* const DockClassName = "VexilToolDock";

void RegisterDockClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = TToolDock::WindowProc;
    wc.hInstance = Application.Instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpszClassName = DockClassName;
    RegisterClassA(&wc);
    registered = true;
}

void PaintDock(HWND hwnd, TToolDock& dock)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    RECT top{r.left, r.top, r.right, r.top + 2};
    DrawEdge(dc, &top, EDGE_ETCHED, BF_TOP);
    RECT bottom{r.left, r.bottom - 2, r.right, r.bottom};
    DrawEdge(dc, &bottom, EDGE_ETCHED, BF_BOTTOM);
    if (dock.Bar && dock.Bar->Visible()) {
        RECT bar = dock.Bar->Bounds();
        int handle = dock.Bar->Scaled(TToolBar::HandleWidth);
        RECT grip{bar.left - handle + dock.Bar->Scaled(2), bar.top + 2,
                  bar.left - handle + dock.Bar->Scaled(5), bar.bottom - 2};
        DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(hwnd, &ps);
}

// Tooltip texts come back in whichever character width the toolbar asks for.
void AnswerTip(TToolBar& bar, NMHDR* header)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_LPARAM;
    if (SendMessageA(bar.Handle, TB_GETBUTTONINFOA, header->idFrom,
                     reinterpret_cast<LPARAM>(&info)) < 0)
        return;
    auto* text = reinterpret_cast<const std::string*>(info.lParam);
    if (!text) return;
    if (header->code == TTN_GETDISPINFOA) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
        tip->lpszText = const_cast<char*>(text->c_str());
        tip->hinst = nullptr;
    } else {
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(header);
        MultiByteToWideChar(CP_ACP, 0, text->c_str(), -1, tip->szText, 80);
        tip->lpszText = tip->szText;
        tip->hinst = nullptr;
    }
}
} // namespace

bool TToolDock::Create(HWND parent, int left, int top, int width, int height)
{
    RegisterDockClass();
    return CreateChild(parent, DockClassName, "", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                       left, top, width, height);
}

bool TToolDock::OverHandle(int x, int y) const
{
    if (!Bar || !Bar->Visible()) return false;
    RECT bar = Bar->Bounds();
    return x >= bar.left - Bar->Scaled(TToolBar::HandleWidth) && x < bar.left && y >= bar.top &&
           y < bar.bottom;
}

void TToolDock::PlaceBar(int left)
{
    RECT client;
    GetClientRect(Handle, &client);
    RECT bar = Bar->Bounds();
    int width = bar.right - bar.left;
    left = std::min(left, static_cast<int>(client.right) - width);
    left = std::max(left, Bar->Scaled(TToolBar::HandleWidth));
    if (left == bar.left) return;
    Bar->SetBounds(left, bar.top, width, bar.bottom - bar.top);
    InvalidateRect(Handle, nullptr, TRUE);
}

LRESULT CALLBACK TToolDock::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dock = static_cast<TToolDock*>(ControlOf(hwnd));
    if (!dock) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        PaintDock(hwnd, *dock);
        return 0;
    case WM_SETCURSOR: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        if (dock->dragging_ || dock->OverHandle(p.x, p.y)) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (!dock->OverHandle(x, y)) break;
        dock->grabX_ = x - dock->Bar->Left();
        dock->dragging_ = true;
        SetCapture(hwnd);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (dock->dragging_) dock->PlaceBar(GET_X_LPARAM(lParam) - dock->grabX_);
        return 0;
    case WM_LBUTTONUP:
        if (dock->dragging_) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        dock->dragging_ = false;
        return 0;
    case WM_SIZE:
        // A narrower dock pulls a moved toolbar back in, as far as its handle allows.
        if (dock->Bar && dock->Bar->Handle) dock->PlaceBar(dock->Bar->Left());
        break;
    case WM_COMMAND:
        if (dock->Bar && reinterpret_cast<HWND>(lParam) == dock->Bar->Handle) {
            if (dock->Bar->OnButtonClick)
                Guarded([&] {
                    dock->Bar->OnButtonClick(LOWORD(wParam));
                    return LRESULT(0);
                });
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (dock->Bar && (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)) {
            AnswerTip(*dock->Bar, header);
            return 0;
        }
        break;
    }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool TToolBar::Create(TToolDock& dock, const std::string& caption,
                      const std::vector<ToolBarButton>& buttons, PictureMaker pictures)
{
    Caption = caption;
    buttons_ = buttons;
    pictures_ = std::move(pictures);
    RECT client;
    GetClientRect(dock.Handle, &client);
    int height = UnscaleFrom(client.bottom, WindowDpi(dock.Handle)) - 4;
    if (!CreateChild(dock.Handle, TOOLBARCLASSNAMEA, caption.c_str(),
                     WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                         CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                     0, HandleWidth, 2, 10, height))
        return false;
    dock.Bar = this;
    SetWindowSubclass(Handle, KeysProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(Handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetPicturesAndSizes();
    // Each button's data points at its hint; reserving keeps the pointers stable.
    hints_.clear();
    hints_.reserve(buttons.size());
    for (const ToolBarButton& b : buttons) {
        TBBUTTON tb{};
        tb.idCommand = static_cast<int>(b.Id);
        if (b.Id == 0) {
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = Scaled(6);
        } else {
            tb.iBitmap = b.Picture;
            tb.fsState = TBSTATE_ENABLED;
            tb.fsStyle = b.Group ? BTNS_CHECKGROUP : BTNS_BUTTON;
            hints_.push_back(b.Hint);
            tb.dwData = reinterpret_cast<DWORD_PTR>(&hints_.back());
        }
        SendMessageA(Handle, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    SetPicturesAndSizes();
    SetBounds(Scaled(HandleWidth), Scaled(2), ButtonsWidth(), Scaled(height));
    SetAccessibleName(Handle, caption);
    SetAccessibleItems(Handle, [this] { return AccessibleButtons(); });
    return true;
}

void TToolBar::SetPicturesAndSizes()
{
    int size = Scaled(PictureSize);
    for (int disabled = 0; disabled < 2; ++disabled) {
        HIMAGELIST old = lists_[disabled];
        lists_[disabled] = pictures_ ? pictures_(size, disabled != 0) : nullptr;
        SendMessageA(Handle, disabled ? TB_SETDISABLEDIMAGELIST : TB_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(lists_[disabled]));
        if (old) ImageList_Destroy(old);
    }
    SendMessageA(Handle, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    SendMessageA(Handle, TB_SETINDENT, Scaled(EndGap), 0);
    SendMessageA(Handle, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scaled(ButtonSize), Scaled(ButtonSize)));
    // By index: every separator has the id 0.
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
        info.cx = static_cast<WORD>(Scaled(buttons_[i].Id == 0 ? 6 : buttons_[i].Width));
        SendMessageA(Handle, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
}

void TToolBar::DpiChanged(UINT)
{
    SetPicturesAndSizes();
    RECT r = Bounds();
    SetBounds(r.left, r.top, ButtonsWidth(), r.bottom - r.top);
}

SIZE TToolBar::PictureExtent() const
{
    int cx = 0, cy = 0;
    if (lists_[0]) ImageList_GetIconSize(lists_[0], &cx, &cy);
    return {cx, cy};
}

std::vector<AccessibleItem> TToolBar::AccessibleButtons() const
{
    std::vector<AccessibleItem> items;
    int count = static_cast<int>(SendMessageA(Handle, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(Handle, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        AccessibleItem item;
        SendMessageA(Handle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item.Screen));
        MapWindowPoints(Handle, nullptr, reinterpret_cast<POINT*>(&item.Screen), 2);
        if (button.fsStyle & BTNS_SEP) {
            item.Role = ROLE_SYSTEM_SEPARATOR;
        } else {
            if (auto* hint = reinterpret_cast<const std::string*>(button.dwData)) item.Name = *hint;
            item.Role = ROLE_SYSTEM_PUSHBUTTON;
            if (!(button.fsState & TBSTATE_ENABLED)) item.State |= STATE_SYSTEM_UNAVAILABLE;
            if (button.fsState & TBSTATE_CHECKED) item.State |= STATE_SYSTEM_PRESSED;
        }
        items.push_back(item);
    }
    return items;
}

// The keyboard's way through the bar: the focused bar shows one button as hot, the
// arrows move it over the enabled buttons, Enter and Space press it.
int TToolBar::NextButton(int from, int step) const
{
    int count = static_cast<int>(SendMessageA(Handle, TB_BUTTONCOUNT, 0, 0));
    for (int i = from + step; i >= 0 && i < count; i += step) {
        TBBUTTON b{};
        SendMessageA(Handle, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        if (!(b.fsStyle & BTNS_SEP) && (b.fsState & TBSTATE_ENABLED)) return i;
    }
    return from;
}

LRESULT CALLBACK TToolBar::KeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data)
{
    auto* bar = reinterpret_cast<TToolBar*>(data);
    int hot = static_cast<int>(SendMessageA(hwnd, TB_GETHOTITEM, 0, 0));
    switch (message) {
    case WM_GETDLGCODE: {
        auto* msg = reinterpret_cast<const MSG*>(lParam);
        bool press = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
        return DLGC_WANTARROWS | (press ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
        if (hot < 0) SendMessageA(hwnd, TB_SETHOTITEM, bar->NextButton(-1, 1), 0);
        break;
    case WM_KILLFOCUS:
        SendMessageA(hwnd, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            SendMessageA(hwnd, TB_SETHOTITEM, bar->NextButton(hot, wParam == VK_LEFT ? -1 : 1), 0);
            return 0;
        }
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && hot >= 0) {
            TBBUTTON b{};
            SendMessageA(hwnd, TB_GETBUTTON, hot, reinterpret_cast<LPARAM>(&b));
            bar->Click(static_cast<UINT>(b.idCommand));
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
        // The mouse leaving takes the hot look away; the focused bar keeps its button.
        if (GetFocus() == hwnd) {
            DefSubclassProc(hwnd, message, wParam, lParam);
            SendMessageA(hwnd, TB_SETHOTITEM, hot >= 0 ? hot : bar->NextButton(-1, 1), 0);
            return 0;
        }
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void TToolBar::SetDown(UINT id, bool down)
{
    SendMessageA(Handle, TB_CHECKBUTTON, id, MAKELPARAM(down ? TRUE : FALSE, 0));
}

bool TToolBar::Down(UINT id) const
{
    return SendMessageA(Handle, TB_ISBUTTONCHECKED, id, 0) != 0;
}

void TToolBar::SetButtonEnabled(UINT id, bool enabled)
{
    SendMessageA(Handle, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

RECT TToolBar::ButtonRect(UINT id) const
{
    RECT r{};
    SendMessageA(Handle, TB_GETRECT, id, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TToolBar::ButtonsWidth() const
{
    int count = static_cast<int>(SendMessageA(Handle, TB_BUTTONCOUNT, 0, 0));
    RECT last{};
    if (count > 0) SendMessageA(Handle, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    return last.right + Scaled(EndGap);
}

void TToolBar::Click(UINT id)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    SendMessageA(Handle, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    if (info.fsStyle & BTNS_CHECKGROUP) SetDown(id, true);
    if (OnButtonClick) OnButtonClick(id);
}

HIMAGELIST DrawPictureList(int count, const std::function<void(HDC, int, bool)>& draw,
                           bool disabled, int size)
{
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    // Magenta is the transparent colour of every picture.
    const COLORREF key = RGB(255, 0, 255);
    for (int i = 0; i < count; ++i) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, size, size};
        HBRUSH back = CreateSolidBrush(key);
        FillRect(dc, &all, back);
        DeleteObject(back);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, TToolBar::PictureSize, TToolBar::PictureSize, nullptr);
        SetViewportExtEx(dc, size, size, nullptr);
        draw(dc, i, disabled);
        SetMapMode(dc, MM_TEXT);
        SelectObject(dc, old);
        ImageList_AddMasked(list, bitmap, key);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return list;
}
