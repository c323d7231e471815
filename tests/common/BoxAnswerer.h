#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// Answers the message boxes this thread shows, in order, by pressing the given button ids
// (IDOK, IDYES, IDNO...), and records what each box said. Works through a thread timer,
// which the box's own modal loop dispatches.
struct BoxAnswerer {
    struct Box {
        std::string Caption;
        std::string Text;
        bool HasIcon = false;
        bool HasYes = false, HasNo = false, HasOk = false, HasCancel = false;
        std::string YesText, NoText;
    };
    std::vector<Box> Seen;
    std::deque<int> Answers;

    explicit BoxAnswerer(std::deque<int> answers);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_ = 0;
};
