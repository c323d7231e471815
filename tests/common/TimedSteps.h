#pragma once
#include <deque>
#include <functional>
#include <string>
#include <windows.h>

// Runs steps one per timer tick on this thread, so they happen inside modal loops (a
// form's own, a message box's or a common dialog's). A step returning false is tried
// again at the next tick (its window is not up yet). A step that is still not done
// after the time limit ends the script: Failure says which one, and from then on every
// tick closes the active window, so that the modal loops end and the test can report.
struct TimedSteps {
    std::string Failure;

    explicit TimedSteps(std::deque<std::function<bool()>> steps, DWORD limitMs = 60000);
    ~TimedSteps();
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::deque<std::function<bool()>> steps_;
    DWORD limitMs_;
    DWORD stepStarted_;
    int stepNumber_ = 1;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};

// A step that acts once ready() holds.
std::function<bool()> When(std::function<bool()> ready, std::function<void()> act);

// The window's text (a caption, a label, a button's caption).
std::string WindowText(HWND window);
// The visible dialog-class window ("#32770": message box or common dialog) of this thread.
HWND FindCommonDialog();
// The text of a message box (its static that is not the icon); "" for none.
std::string BoxText(HWND box);
// Presses a dialog's button as a click does (IDOK, IDCANCEL, IDYES...).
void Press(HWND dialog, int id);
