#include "engine/Collection.h"

#include "engine/FileEntries.h"
#include "engine/FileSearchDisp.h"
#include "engine/Util.h"
#include "toolkit/Application.h"
#include "toolkit/Pump.h"

#include <windows.h>

namespace {
// The main window comes back on every way out of collection.
struct MainWindowDisabled {
    MainWindowDisabled() { EnableMainWindow(false); }
    ~MainWindowDisabled() { EnableMainWindow(true); }
    MainWindowDisabled(const MainWindowDisabled&) = delete;
    MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;
};

int PercentOf(int done, int count)
{
    if (count <= 0 || done >= count) return 100;
    return static_cast<int>(static_cast<double>(done) / count * 100);
}

// Between the program's code page and the UTF-16 of the wide calls.
std::wstring Wide(const std::string& text)
{
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// One conversion: a found name has at most 259 UTF-16 units, each at most two bytes here.
std::string Narrow(const wchar_t* text)
{
    char narrow[MAX_PATH * 2 + 1];
    int length =
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    if (length <= 1) return {};
    return std::string(narrow, static_cast<size_t>(length - 1));
}

void CollectItem(const std::string& base, std::string name)
{
    std::string drive = DriveOfCaption(name);
    if (!drive.empty()) name = drive;
    if (IsFolderPath(base + name)) {
        AddEntry("", name + "\\");
        SearchFolder(base, name + "\\");
    } else {
        AddEntry(name, "");
    }
}
} // namespace

void SearchFolder(const std::string& base, const std::string& rel)
{
    // The wide search: the narrow one cuts names longer than 259 bytes, and a name of
    // 255 Japanese characters takes 510.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(base + rel + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = Narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        AddEntry(name, rel);
        PumpAtFixedPoint();
        // A folder link is recorded but not entered: links may loop back up the tree.
        DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            SearchFolder(base, rel + name + "\\");
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void CollectFiles(ReferencePane& pane)
{
    ResetEntries();
    TFileSearchDispDlg dialog;
    dialog.Create();
    dialog.Show();
    {
        MainWindowDisabled disabled;
        ResetPumpThrottle();
        std::string base =
            pane.IsVirtualFolder() ? std::string() : JoinPath(pane.GetSelectedPath(), "");
        int count = pane.ItemCount();
        // The window is told only what changed: in a folder of many items most steps
        // change neither the bar nor the count.
        int shownPercent = -1, shownCount = -1;
        for (int index = 0; index < count; ++index) {
            if (pane.ItemSelected(index)) CollectItem(base, pane.ItemCaption(index));
            int percent = PercentOf(index + 1, pane.ItemCount());
            if (percent != shownPercent) dialog.ProgBar.SetPosition(shownPercent = percent);
            if (EntryCount != shownCount)
                dialog.FileNumDisp.SetText(std::to_string(shownCount = EntryCount));
            PumpAtFixedPoint();
        }
    }
    dialog.Destroy();
}
