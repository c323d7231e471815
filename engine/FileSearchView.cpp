// The window program's collection: the file-search window shows the progress, the main
// window is disabled and messages are pumped at collection's fixed points.
#include "engine/Collection.h"
#include "engine/FileEntries.h"
#include "engine/FolderWalk.h"
#include "engine/WholeFolder.h"
#include "engine/FileSearchDisp.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Pump.h"

#include <string>

namespace {
struct FileSearchView : CollectionProgress {
    TFileSearchDispDlg Dialog;
    // The window is told only what changed: in a folder of many items most steps
    // change neither the bar nor the count.
    int ShownPercent = -1;
    int32_t ShownCount = -1;

    void ItemDone(int percent, int32_t records) override
    {
        if (percent != ShownPercent) Dialog.ProgBar.SetPosition(ShownPercent = percent);
        if (records != ShownCount) Dialog.FileNumDisp.SetText(std::to_string(ShownCount = records));
    }
    void AtFixedPoint() override { PumpAtFixedPoint(); }
};

// The main window comes back on every way out of collection.
struct MainWindowDisabled {
    MainWindowDisabled() { EnableMainWindow(false); }
    ~MainWindowDisabled() { EnableMainWindow(true); }
    MainWindowDisabled(const MainWindowDisabled&) = delete;
    MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;
};
} // namespace

void CollectFiles(ReferencePane& pane)
{
    FileSearchView view;
    view.Dialog.Create();
    view.Dialog.Show();
    {
        MainWindowDisabled disabled;
        ResetPumpThrottle();
        CollectFiles(pane, view);
    }
    view.Dialog.Destroy();
}

bool CollectWholeFolder(const std::wstring& folder, bool& read)
{
    WholeFolder pane;
    pane.Real = folder;
    if (folder.empty() || AttributesOf(FilePath(CodePageText(folder), folder)) ==
                              INVALID_FILE_ATTRIBUTES) {
        ShowInformation(WideOf("フォルダが見つかりません。\r\n") + folder);
        return false;
    }
    bool listed = pane.List();
    CollectFiles(pane);
    ExcludedCount += pane.Excluded;
    read = listed || !IsReadFailure(pane.Error);
    if (!read) ++UnreadableFolderCount;
    return true;
}
