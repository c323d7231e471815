// The main window's panes at 10,000 and 50,000 files: opening a folder, select all, F5,
// swapping folders, leaving the folder and exiting with everything selected, one status
// bar refresh, and the floor of a fill: the shell calls that no list can do without.
#include "bench/BenchTiming.h"
#include "mainwindow/Main.h"
#include "settings/EnvSettings.h"
#include "toolkit/Application.h"
#include "toolkit/Pump.h"

#include <cstdlib>
#include <memory>
#include <ole2.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {
// What every fill needs per object: enumeration, the parsing and in-folder names and
// the find data. Returns the number of objects.
int FloorFill(const std::string& path)
{
    IShellFolder* desktop = nullptr;
    IMalloc* malloc = nullptr;
    SHGetDesktopFolder(&desktop);
    SHGetMalloc(&malloc);
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), MAX_PATH) - 1));
    LPITEMIDLIST absolute = nullptr;
    IShellFolder* folder = nullptr;
    int count = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &absolute,
                                            nullptr)) &&
        SUCCEEDED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&folder)))) {
        IEnumIDList* objects = nullptr;
        if (folder->EnumObjects(nullptr, 0xE0, &objects) == S_OK && objects) {
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            while (objects->Next(1, &item, &fetched) == S_OK && item) {
                for (DWORD kind : {SHGDN_FORPARSING, SHGDN_INFOLDER}) {
                    STRRET name{};
                    if (SUCCEEDED(folder->GetDisplayNameOf(item, kind, &name)) &&
                        name.uType == STRRET_WSTR)
                        malloc->Free(name.pOleStr);
                }
                WIN32_FIND_DATAA data{};
                SHGetDataFromIDListA(folder, item, SHGDFIL_FINDDATA, &data, sizeof data);
                malloc->Free(item);
                ++count;
            }
            objects->Release();
        }
        folder->Release();
    }
    if (absolute) malloc->Free(absolute);
    malloc->Release();
    desktop->Release();
    return count;
}

// The window as a user has it: shown, reference pane in `start`.
std::unique_ptr<TMainDlg> OpenWindow(const std::string& start)
{
    SetCurrentDirectoryA(start.c_str());
    EnvSettings = TEnvSettings{};
    auto form = std::make_unique<TMainDlg>();
    form->Create();
    form->ShowInStoredState();
    ProcessMessages();
    return form;
}

// Until the action is on screen: both lists painted, the status bar rewritten.
void Settle(TMainDlg& form)
{
    UpdateWindow(form.SrcFileView.Handle);
    UpdateWindow(form.DesFileView.Handle);
    ProcessMessages();
    UpdateWindow(form.StatusBar.Handle);
}

double Timed(TMainDlg& form, const std::function<void()>& action)
{
    double start = NowSeconds();
    action();
    Settle(form);
    return NowSeconds() - start;
}

void SelectAll(TMainDlg& form)
{
    form.MenuCommand(AllSlctMenuItem);
    Settle(form);
}

void PaneFigures(const std::string& big, const std::string& small, const std::string& other,
                 const std::string& tag, int reps)
{
    std::vector<double> floor, open, step, selectAll, f5, swap, away, exitTimes, status;
    int count = 0, items = 0;
    double start = 0;
    for (int rep = 0; rep < reps; ++rep) {
        start = NowSeconds();
        count = FloorFill(big);
        floor.push_back(NowSeconds() - start);
    }
    std::unique_ptr<TMainDlg> form = OpenWindow(small);
    form->SrcFolderView.SelectPath(small);
    Settle(*form);
    for (int rep = 0; rep < reps; ++rep) {
        TMainDlg& f = *form;
        open.push_back(Timed(f, [&] { f.SrcFolderView.SelectPath(big); }));
        items = f.SrcFileView.ItemCount();
        selectAll.push_back(Timed(f, [&] { SelectAll(f); }));
        for (int i = 0; i < 3; ++i) {
            start = NowSeconds();
            f.UpdateStatusBar();
            status.push_back(NowSeconds() - start);
        }
        // F5 in the reference list, everything selected.
        f.SrcFileView.SetFocus();
        f5.push_back(Timed(f, [&] { SendMessageA(f.SrcFileView.Handle, WM_KEYDOWN, VK_F5, 1); }));
        // Swap with everything selected, and back.
        SelectAll(f);
        swap.push_back(Timed(f, [&] { f.MenuCommand(FolderChangeMenuItem); }));
        SelectAll(f);
        swap.push_back(Timed(f, [&] { f.MenuCommand(FolderChangeMenuItem); }));
        // Leave the folder with everything selected.
        SelectAll(f);
        away.push_back(Timed(f, [&] { f.SrcFolderView.SelectPath(small); }));
        // The same step between two small folders: what leaving costs without the items.
        f.SrcFolderView.SelectPath(other);
        Settle(f);
        step.push_back(Timed(f, [&] { f.SrcFolderView.SelectPath(small); }));
        // Exit with everything selected: until the window is gone.
        f.SrcFolderView.SelectPath(big);
        SelectAll(f);
        start = NowSeconds();
        f.MenuCommand(ExitMenuItem);
        ProcessMessages();
        form.reset();
        exitTimes.push_back(NowSeconds() - start);
        form = OpenWindow(small);
        form->SrcFolderView.SelectPath(small);
        Settle(*form);
    }
    form.reset();
    std::string note = "items=" + std::to_string(items) + ",floor_items=" + std::to_string(count);
    PrintResult("panes_floor_" + tag, floor, note);
    PrintResult("panes_open_" + tag, open, note);
    PrintResult("panes_selectall_" + tag, selectAll, note);
    PrintResult("panes_status_" + tag, status, note);
    PrintResult("panes_f5_" + tag, f5, note);
    PrintResult("panes_swap_" + tag, swap, note);
    PrintResult("panes_away_" + tag, away, note);
    PrintResult("panes_step_" + tag, step, "-");
    PrintResult("panes_exit_" + tag, exitTimes, note);
}
} // namespace

int main(int argc, char** argv)
{
    // panes BIGFOLDER SMALLFOLDER OTHERSMALLFOLDER TAG REPS
    if (argc != 7 || std::string(argv[1]) != "panes") return 2;
    InitializeToolkit();
    OleInitialize(nullptr);
    PaneFigures(argv[2], argv[3], argv[4], argv[5], std::atoi(argv[6]));
    OleUninitialize();
    return 0;
}
