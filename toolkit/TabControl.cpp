#include "toolkit/TabControl.h"

#include <commctrl.h>

bool TabControl::Create(HWND parent, int left, int top, int width, int height)
{
    return CreateChild(parent, WC_TABCONTROLA, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                       left, top, width, height);
}

int TabControl::AddTab(const std::string& caption)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    return static_cast<int>(
        SendMessageA(Handle, TCM_INSERTITEMA, TabCount(), reinterpret_cast<LPARAM>(&item)));
}

int TabControl::TabCount() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

int TabControl::SelectedIndex() const
{
    return Handle ? static_cast<int>(SendMessageA(Handle, TCM_GETCURSEL, 0, 0)) : -1;
}

void TabControl::SetSelectedIndex(int index)
{
    if (!Handle) return;
    SendMessageA(Handle, TCM_SETCURSEL, index, 0);
    if (OnChange) OnChange();
}

RECT TabControl::PageRect() const
{
    RECT r{};
    if (!Handle) return r;
    GetClientRect(Handle, &r);
    SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(Handle, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool TabControl::Notify(NMHDR* header, LRESULT& result)
{
    if (header->code != TCN_SELCHANGE || !OnChange) return false;
    OnChange();
    result = 0;
    return true;
}
