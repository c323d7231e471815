#include "toolkit/Menu.h"

void SetMenuChecked(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuChecked(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void CheckMenuRadio(HMENU menu, std::initializer_list<UINT> group, UINT id)
{
    for (UINT item : group) {
        if (item != id) SetMenuChecked(menu, item, false);
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, id, FALSE, &info)) return;
    info.fType |= MFT_RADIOCHECK;
    info.fState |= MFS_CHECKED;
    SetMenuItemInfoA(menu, id, FALSE, &info);
}
