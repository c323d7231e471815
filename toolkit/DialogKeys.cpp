#include "toolkit/DialogKeys.h"

#include "toolkit/TabControl.h"

#include <commctrl.h>
#include <vector>

namespace {
std::vector<HWND> ShownChildren(HWND form)
{
    std::vector<HWND> children;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM list) -> BOOL {
            if (IsWindowVisible(child) && IsWindowEnabled(child))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsClass(HWND window, const char* className)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

char Folded(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The letter after a single "&" of a caption, or 0.
char MnemonicOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    for (const char* p = text; *p; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
            ++p;
            continue;
        }
        if (*p != '&') continue;
        if (p[1] != '&') return Folded(p[1]);
        ++p;
    }
    return 0;
}

bool SwitchPage(HWND form, const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
    int step = 0;
    if (msg.wParam == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    if (msg.wParam == VK_NEXT) step = 1;
    if (msg.wParam == VK_PRIOR) step = -1;
    if (step == 0) return false;
    for (HWND child : ShownChildren(form)) {
        auto* tabs = dynamic_cast<TabControl*>(ControlOf(child));
        if (!tabs || tabs->TabCount() == 0) continue;
        int count = tabs->TabCount();
        tabs->SetSelectedIndex((tabs->SelectedIndex() + step + count) % count);
        return true;
    }
    return false;
}

bool SharedMnemonic(HWND form, const MSG& msg)
{
    if (msg.message != WM_SYSCHAR) return false;
    char letter = Folded(static_cast<char>(msg.wParam));
    std::vector<HWND> sharing;
    for (HWND child : ShownChildren(form))
        if (IsClass(child, "Button") && MnemonicOf(child) == letter) sharing.push_back(child);
    if (sharing.size() < 2) return false;
    HWND focus = GetFocus();
    size_t next = 0;
    for (size_t i = 0; i < sharing.size(); ++i)
        if (sharing[i] == focus) next = (i + 1) % sharing.size();
    SetFocus(sharing[next]);
    return true;
}
} // namespace

bool FormKeys(HWND form, const MSG& msg)
{
    return SwitchPage(form, msg) || SharedMnemonic(form, msg);
}

bool FormDialogMessage(HWND form, MSG& msg, bool wide)
{
    return FormKeys(form, msg) || (wide ? IsDialogMessageW : IsDialogMessageA)(form, &msg);
}
