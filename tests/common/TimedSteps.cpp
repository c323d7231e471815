#include "tests/common/TimedSteps.h"

namespace {
TimedSteps* current = nullptr;

// Closes whatever is active: a dialog by its cancelling button, other windows by a close.
void CloseActiveWindow()
{
    HWND active = GetActiveWindow();
    if (!active) return;
    for (int id : {IDCANCEL, IDNO, IDOK})
        if (GetDlgItem(active, id)) {
            Press(active, id);
            return;
        }
    PostMessageA(active, WM_CLOSE, 0, 0);
}
} // namespace

TimedSteps::TimedSteps(std::deque<std::function<bool()>> steps, DWORD limitMs)
    : steps_(std::move(steps)), limitMs_(limitMs), stepStarted_(GetTickCount())
{
    current = this;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
}

TimedSteps::~TimedSteps()
{
    KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK TimedSteps::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    TimedSteps* s = current;
    if (!s || s->busy_) return;
    if (!s->Failure.empty()) {
        CloseActiveWindow();
        return;
    }
    if (s->steps_.empty()) return;
    if (GetTickCount() - s->stepStarted_ > s->limitMs_) {
        s->Failure = "step " + std::to_string(s->stepNumber_) + " did not happen in time";
        return;
    }
    s->busy_ = true;
    bool done = s->steps_.front()();
    s->busy_ = false;
    if (!done) return;
    s->steps_.pop_front();
    ++s->stepNumber_;
    s->stepStarted_ = GetTickCount();
}

std::function<bool()> When(std::function<bool()> ready, std::function<void()> act)
{
    return [ready = std::move(ready), act = std::move(act)] {
        if (!ready()) return false;
        act();
        return true;
    };
}

std::string WindowText(HWND window)
{
    char text[4096] = {};
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND FindCommonDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            char cls[32] = {};
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(h)) {
                *reinterpret_cast<HWND*>(p) = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string BoxText(HWND box)
{
    std::string text;
    for (HWND item = FindWindowExA(box, nullptr, "Static", nullptr); item;
         item = FindWindowExA(box, item, "Static", nullptr))
        if (!WindowText(item).empty()) text = WindowText(item);
    return text;
}
