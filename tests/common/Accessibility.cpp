#include "tests/common/Accessibility.h"

#include "tests/common/RealInput.h"
#include "toolkit/CodePage.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {
IAccessible* ObjectOf(HWND control)
{
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

VARIANT ChildId(long child)
{
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = child;
    return id;
}

long NumberOf(HWND control, long child,
              HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, VARIANT*))
{
    IAccessible* object = ObjectOf(control);
    if (!object) return -1;
    VARIANT answer;
    VariantInit(&answer);
    long number =
        (object->*ask)(ChildId(child), &answer) == S_OK && answer.vt == VT_I4 ? answer.lVal : -1;
    object->Release();
    return number;
}
} // namespace

long AccessibleRole(HWND control, long child)
{
    return NumberOf(control, child, &IAccessible::get_accRole);
}

long AccessibleState(HWND control, long child)
{
    return NumberOf(control, child, &IAccessible::get_accState);
}

std::wstring AccessibleNameWide(HWND control, long child)
{
    IAccessible* object = ObjectOf(control);
    if (!object) return L"<no object>";
    VARIANT id = ChildId(child);
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(id, &name) == S_OK && name) text = name;
    SysFreeString(name);
    object->Release();
    return text;
}

std::string AccessibleName(HWND control, long child)
{
    return CodePageText(AccessibleNameWide(control, child));
}

std::vector<AccessibleItemSeen> AccessibleItems(HWND control)
{
    std::vector<AccessibleItemSeen> items;
    IAccessible* object = ObjectOf(control);
    if (!object) return items;
    long count = 0;
    object->get_accChildCount(&count);
    object->Release();
    for (long child = 1; child <= count; ++child) {
        AccessibleItemSeen item;
        item.Name = AccessibleName(control, child);
        object = ObjectOf(control);
        if (!object) break;
        long left = 0, top = 0, width = 0, height = 0;
        object->accLocation(&left, &top, &width, &height, ChildId(child));
        object->Release();
        item.Screen = {left, top, left + width, top + height};
        items.push_back(item);
    }
    return items;
}

std::string HintShownFor(HWND control)
{
    DWORD process = GetCurrentProcessId();
    HWND shown = nullptr;
    auto visibleTip = [&] {
        shown = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w && !shown;
             w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            if (owner == process && IsWindowVisible(w) &&
                SendMessageA(w, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) &&
                tool.uId == reinterpret_cast<UINT_PTR>(control))
                shown = w;
        }
        return shown != nullptr;
    };
    MoveMouseTo(control, ClientMiddle(control));
    if (!PumpUntil(visibleTip, 5000)) return "";
    char text[256] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    SendMessageA(shown, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = text;
    SendMessageA(shown, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}
