#include "tests/common/BoxAnswerer.h"

#include "tests/common/TimedSteps.h"

namespace {
BoxAnswerer* current = nullptr;

BOOL CALLBACK FindBox(HWND h, LPARAM out)
{
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    // Message boxes are dialogs holding a static with id 0xFFFF (their text).
    if (std::string(cls) == "#32770" && IsWindowVisible(h) && GetDlgItem(h, 0xFFFF)) {
        *reinterpret_cast<HWND*>(out) = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND h, LPARAM out)
{
    if ((GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(h) &&
        SendMessageA(h, STM_GETICON, 0, 0) != 0)
        *reinterpret_cast<bool*>(out) = true;
    return TRUE;
}
} // namespace

BoxAnswerer::BoxAnswerer(std::deque<int> answers) : Answers(std::move(answers))
{
    current = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

BoxAnswerer::~BoxAnswerer()
{
    KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK BoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!current || current->Answers.empty()) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    Box seen;
    seen.Caption = WindowText(box);
    seen.Text = WindowText(GetDlgItem(box, 0xFFFF));
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen.HasIcon));
    seen.HasYes = GetDlgItem(box, IDYES) != nullptr;
    seen.HasNo = GetDlgItem(box, IDNO) != nullptr;
    seen.HasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.HasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    seen.YesText = WindowText(GetDlgItem(box, IDYES));
    seen.NoText = WindowText(GetDlgItem(box, IDNO));
    current->Seen.push_back(seen);
    int answer = current->Answers.front();
    current->Answers.pop_front();
    Press(box, answer);
}
