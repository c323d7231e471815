#include "mainwindow/FolderHistory.h"

void AddFolderHistory(TComboBoxEx& box, const std::string& path)
{
    box.Insert(0, path);
    // Histories built here hold no duplicates, so one pass finds the older copy; the
    // index moves on after a removal as well, which a stored history with repeated
    // entries keeps.
    int count = box.Count();
    for (int i = 1, pass = 0; pass < count - 1; ++pass, ++i) {
        if (i < box.Count() && box.Item(i) == path) box.Delete(i);
    }
    if (box.Count() > 10) box.Delete(10);
    box.SetItemIndex(0);
}
