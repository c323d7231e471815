#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

// Input as a person gives it: SendInput at the screen position of a real control, so
// the input goes through the system's hit-testing, focus, keyboard state and the
// controls' own processing, exactly as a mouse or keyboard would drive it.
//
// The functions below only inject; the input is processed when this thread pumps its
// messages. Two ways to wait for it:
//   - outside modal loops: inject, then Settle() (or PumpUntil(effect));
//       ClickAt(bar.Handle, ToolBarButtonPoint(bar.Handle, id)); Settle();
//   - where the input opens a modal loop (a popup menu, a dialog): inject from a step of
//     TimedSteps and let the next step wait for the effect;
//       When(ready, [&] { RightClickAt(list, ListItemPoint(list, 0)); }),
//       When([&] { return OpenWindowCount("#32768") == 1; }, [&] { PressKeys({VK_ESCAPE}); }),
// The window must be on top and enabled at that point; a key goes to the focused window
// of the foreground window (SetForegroundWindow first, or click into it).

// Screen position of a point in a window's client area.
POINT ScreenPointOf(HWND window, POINT client);
// Middle of a client area; middle of a list view row's label; of a toolbar button (by
// command id); of a tree view node's text.
POINT ClientMiddle(HWND window);
POINT ListItemPoint(HWND list, int index);
POINT ToolBarButtonPoint(HWND toolbar, int commandId);
POINT TreeItemPoint(HWND tree, HTREEITEM item);

void MoveMouseTo(HWND window, POINT client);
void ClickAt(HWND window, POINT client);
void DoubleClickAt(HWND window, POINT client);
void RightClickAt(HWND window, POINT client);

// Holds the keys down in order and lets them go in reverse: PressKeys({VK_MENU, VK_F5}).
void PressKeys(const std::vector<WORD>& keys);
// Types printable ASCII text as the keyboard does (Shift where the layout needs it).
void TypeText(const std::string& text);
// Types any text as an input method gives it: each UTF-16 unit as a character of its own
// (KEYEVENTF_UNICODE), so "é" or an emoji arrives as typed.
void TypeWideText(const std::wstring& text);

// Pumps this thread's messages until the input and everything it posted is processed
// (the queue stays empty for a while), at most limitMs.
void Settle(DWORD limitMs = 3000);
// Pumps until done() holds; false when limitMs passed first.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);

// A step for TimedSteps that is done once ms have passed since it was first tried: the
// time to let anything that should not happen show itself.
std::function<bool()> Pause(DWORD ms);

// Counts the windows of a class (and caption, when not empty) that this thread creates
// while the watch lives, e.g. popup menus: WindowWatch menus("#32768"); menus.Created().
struct WindowWatch {
    explicit WindowWatch(std::string className, std::string caption = "");
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    int Created() const { return created_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::string className_, caption_;
    int created_ = 0;
};
// The visible windows of a class on this thread now: OpenWindowCount("#32768") is the
// number of popup menus open.
int OpenWindowCount(const char* className);
