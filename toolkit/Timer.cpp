#include "toolkit/Timer.h"

#include "toolkit/CommandGuard.h"

#include <map>

namespace {
std::map<UINT_PTR, Timer*>& Running()
{
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
}  // namespace

Timer::~Timer() { SetEnabled(false); }

void Timer::SetInterval(UINT milliseconds)
{
    interval_ = milliseconds;
    if (Enabled()) {
        SetEnabled(false);
        SetEnabled(true);
    }
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled == Enabled()) return;
    if (enabled) {
        id_ = SetTimer(nullptr, 0, interval_, Tick);
        if (id_) Running()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    Guarded([id] {
        auto it = Running().find(id);
        if (it != Running().end() && it->second->OnTimer) it->second->OnTimer();
        return LRESULT(0);
    });
}
