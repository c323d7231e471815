#pragma once
#include <windows.h>

#include <functional>

// A thread timer; it ticks only while messages are processed.
struct Timer {
    std::function<void()> OnTimer;

    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    void SetInterval(UINT milliseconds);
    UINT Interval() const { return interval_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return id_ != 0; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT interval_ = 1000;
    UINT_PTR id_ = 0;
};
