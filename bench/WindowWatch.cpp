#include "bench/WindowWatch.h"

#include "bench/BenchTiming.h"

#include <commctrl.h>

namespace {
WindowWatch* Current = nullptr;
HHOOK CbtHook = nullptr;
HHOOK ReturnHook = nullptr;
UINT_PTR Timer = 0;
const char* const OriginalProcProperty = "BenchOriginalProc";

bool IsClass(HWND window, const char* name)
{
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return lstrcmpiA(buffer, name) == 0;
}

// A list view's paint handler, wrapped: the first paint of each caption is noted.
LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, OriginalProcProperty));
    LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (message == WM_PAINT && Current) {
        std::string caption = CaptionOf(GetAncestor(window, GA_ROOT));
        if (!Current->FirstListPaint.count(caption))
            Current->FirstListPaint[caption] = NowSeconds();
    }
    if (message == WM_NCDESTROY) RemovePropA(window, OriginalProcProperty);
    return result;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && Current) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsClass(window, "#32770")) Current->DialogCreatedAt = NowSeconds();
    }
    return CallNextHookEx(CbtHook, code, wParam, lParam);
}

// After a window's creation its class procedure is in place: wrap list views then.
LRESULT CALLBACK ReturnProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && Current) {
        if (message->message == WM_CREATE && IsClass(message->hwnd, WC_LISTVIEWA) &&
            !GetPropA(message->hwnd, OriginalProcProperty)) {
            LONG_PTR original = SetWindowLongPtrA(message->hwnd, GWLP_WNDPROC,
                                                  reinterpret_cast<LONG_PTR>(ListProc));
            SetPropA(message->hwnd, OriginalProcProperty, reinterpret_cast<HANDLE>(original));
        }
        if (message->message == WM_NCDESTROY && IsClass(message->hwnd, "#32770"))
            Current->DialogDestroyedAt = NowSeconds();
    }
    return CallNextHookEx(ReturnHook, code, wParam, lParam);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!Current || !Current->Step) return;
    // The step may open a nested loop; it must not be entered again meanwhile.
    std::function<bool()> step = std::move(Current->Step);
    Current->Step = nullptr;
    if (!step() && Current && !Current->Step) Current->Step = std::move(step);
}

struct ThreadWindows {
    const char* ClassName;
    const char* Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ThreadWindows*>(data);
    if (!IsWindowVisible(window)) return TRUE;
    if (search->ClassName && !IsClass(window, search->ClassName)) return TRUE;
    if (search->Caption && CaptionOf(window) != search->Caption) return TRUE;
    search->Found = window;
    return FALSE;
}

struct ChildSearch {
    const char* ClassName;
    const char* Text;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (!IsClass(window, search->ClassName)) return TRUE;
    if (search->Text && CaptionOf(window) != search->Text) return TRUE;
    search->Found = window;
    return FALSE;
}
} // namespace

WindowWatch::WindowWatch()
{
    Current = this;
    CbtHook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    ReturnHook = SetWindowsHookExA(WH_CALLWNDPROCRET, ReturnProc, nullptr, GetCurrentThreadId());
    Timer = SetTimer(nullptr, 0, 10, Tick);
}

WindowWatch::~WindowWatch()
{
    KillTimer(nullptr, Timer);
    UnhookWindowsHookEx(ReturnHook);
    UnhookWindowsHookEx(CbtHook);
    Current = nullptr;
}

std::string CaptionOf(HWND window)
{
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

HWND FindChild(HWND parent, const char* className, const char* text)
{
    ChildSearch search{className, text};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FindTopLevel(const std::string& caption)
{
    ThreadWindows search{nullptr, caption.c_str()};
    EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FindDialog(const char* caption)
{
    ThreadWindows search{"#32770", caption};
    EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void ClickColumn(HWND list, int column)
{
    NMLISTVIEW notice{};
    notice.hdr.hwndFrom = list;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    notice.hdr.code = LVN_COLUMNCLICK;
    notice.iItem = -1;
    notice.iSubItem = column;
    SendMessageA(GetParent(list), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}
