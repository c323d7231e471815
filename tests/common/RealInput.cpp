#include "tests/common/RealInput.h"

#include <algorithm>
#include <commctrl.h>
#include <memory>
#include <vector>

namespace {
void SendAll(std::vector<INPUT>& inputs)
{
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags, POINT screen = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Normalised to 0..65535 over the primary screen, rounded to hit the pixel.
        int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width / 2) / width);
        input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height / 2) / height);
    }
    return input;
}

void Buttons(HWND window, POINT client, DWORD down, DWORD up, int clicks)
{
    POINT screen = ScreenPointOf(window, client);
    std::vector<INPUT> inputs{MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)};
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(MouseInput(down));
        inputs.push_back(MouseInput(up));
    }
    SendAll(inputs);
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    if (up) input.ki.dwFlags |= KEYEVENTF_KEYUP;
    switch (key) { // keys of the grey block are extended keys
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_APPS:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    }
    return input;
}

std::vector<WindowWatch*> watches;
HHOOK creationHook = nullptr;
} // namespace

POINT ScreenPointOf(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

POINT ClientMiddle(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT ListItemPoint(HWND list, int index)
{
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return {r.left + 4 < r.right ? r.left + 4 : (r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT ToolBarButtonPoint(HWND toolbar, int commandId)
{
    RECT r{};
    SendMessageA(toolbar, TB_GETRECT, commandId, reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT TreeItemPoint(HWND tree, HTREEITEM item)
{
    RECT r{};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveMouseTo(HWND window, POINT client)
{
    std::vector<INPUT> inputs{
        MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ScreenPointOf(window, client))};
    SendAll(inputs);
}

void ClickAt(HWND window, POINT client)
{
    Buttons(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
}

void DoubleClickAt(HWND window, POINT client)
{
    Buttons(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

void RightClickAt(HWND window, POINT client)
{
    Buttons(window, client, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        inputs.push_back(KeyInput(*key, true));
    SendAll(inputs);
}

void TypeText(const std::string& text)
{
    std::vector<INPUT> inputs;
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        if (scan == -1) continue;
        WORD key = LOBYTE(scan);
        bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
        if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    SendAll(inputs);
}

void TypeWideText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text)
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    SendAll(inputs);
}

void Settle(DWORD limitMs)
{
    // Injected input reaches the queue a little later than SendInput returns, so the
    // queue must stay empty for a few rounds before the input counts as processed.
    DWORD start = GetTickCount();
    int quietRounds = 0;
    while (quietRounds < 5 && GetTickCount() - start < limitMs) {
        MSG msg;
        bool any = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        quietRounds = any ? 0 : quietRounds + 1;
        if (!any) Sleep(10);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}

std::function<bool()> Pause(DWORD ms)
{
    // The start is taken at the first try; a start one tick ahead of the clock (an odd
    // value made of an even one) would read as ages ago.
    auto started = std::make_shared<ULONGLONG>(0);
    return [started, ms] {
        if (!*started) *started = GetTickCount64();
        return GetTickCount64() - *started >= ms;
    };
}

WindowWatch::WindowWatch(std::string className, std::string caption)
    : className_(std::move(className)), caption_(std::move(caption))
{
    if (watches.empty())
        creationHook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    watches.push_back(this);
}

WindowWatch::~WindowWatch()
{
    watches.erase(std::find(watches.begin(), watches.end(), this));
    if (watches.empty() && creationHook) {
        UnhookWindowsHookEx(creationHook);
        creationHook = nullptr;
    }
}

LRESULT CALLBACK WindowWatch::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char className[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        for (WindowWatch* watch : watches) {
            if (lstrcmpiA(className, watch->className_.c_str()) != 0) continue;
            if (!watch->caption_.empty() && (!create->lpszName || HIWORD(create->lpszName) == 0 ||
                                             watch->caption_ != create->lpszName))
                continue;
            ++watch->created_;
        }
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

int OpenWindowCount(const char* className)
{
    struct Search {
        const char* ClassName;
        int Count;
    } search{className, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char name[64] = {};
            GetClassNameA(h, name, sizeof name);
            if (lstrcmpiA(name, s->ClassName) == 0 && IsWindowVisible(h)) ++s->Count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Count;
}
