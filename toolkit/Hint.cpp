#include "toolkit/Hint.h"

#include "toolkit/AccessibleName.h"
#include "toolkit/Application.h"

#include <commctrl.h>

namespace {
const char* const HintWindowProperty = "VexilHints";

// One tooltip window per top-level window, destroyed with it (it is owned by it).
HWND HintWindowOf(HWND control)
{
    HWND top = GetAncestor(control, GA_ROOT);
    if (auto tips = static_cast<HWND>(GetPropA(top, HintWindowProperty))) return tips;
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top,
                                nullptr, Application.Instance, nullptr);
    SetPropA(top, HintWindowProperty, tips);
    return tips;
}
} // namespace

void SetHint(HWND control, const std::string& hint)
{
    if (!control) return;
    HWND tips = HintWindowOf(control);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(hint.c_str());
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SetAccessibleName(control, hint);
}
