#pragma once
// Stand-ins of our own views for the run's tests: a reference pane over a real folder,
// a progress view that records what the loop asked of it, and a host of the command.
#include "engine/CompareRun.h"
#include "settings/EnvSettings.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/Form.h"
#include "toolkit/MessageBoxes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A reference pane showing a real folder with some of its items selected.
struct FolderPane : ReferencePane {
    std::string Folder; // without trailing "\", as the tree gives it
    std::vector<std::string> Items;
    std::vector<bool> Selected;
    std::vector<std::wstring> RealNames; // as the shell spells them

    bool Virtual = false;

    bool IsVirtualFolder() override { return Virtual; }
    std::wstring RealFolder; // as the file system spells it; "" for none
    std::string GetSelectedPath() override { return Folder; }
    std::wstring GetSelectedRealPath() override { return RealFolder; }
    int ItemCount() override { return static_cast<int>(Items.size()); }
    std::string ItemCaption(int index) override { return Items[static_cast<size_t>(index)]; }
    std::wstring ItemRealName(int index) override { return RealNames[static_cast<size_t>(index)]; }
    bool ItemSelected(int index) override { return Selected[static_cast<size_t>(index)]; }
    void Add(const std::string& name, bool selected = true)
    {
        Items.push_back(name);
        RealNames.push_back(WideOf(name));
        Selected.push_back(selected);
    }
    // An item whose caption is its code-page form ("?" for what the code page lacks).
    void Add(const std::wstring& realName, bool selected = true)
    {
        Items.push_back(CodePageText(realName));
        RealNames.push_back(realName);
        Selected.push_back(selected);
    }
};

// Records every update as one line, in order; contents progress is recorded too.
struct RecordingView : CompareProgressView {
    std::vector<std::string> Calls;
    bool Cancel = false;
    bool CancelOnContents = false; // the user presses cancel during a contents check
    bool ThrowOnContents = false;  // a read failure surfacing inside a contents check
    bool MainEnabledWhileOpen = true;
    std::string ProgTimeText = "unset";

    void Open() override { Calls.push_back("Open"); }
    void EnableProgTimer(bool enabled) override
    {
        Calls.push_back(std::string("Timer ") + (enabled ? "on" : "off"));
    }
    void SetProgTimeText(const std::string& text) override
    {
        ProgTimeText = text;
        Calls.push_back("ProgTime " + text);
    }
    void ShowView() override
    {
        if (Application.MainWindow) MainEnabledWhileOpen = IsWindowEnabled(Application.MainWindow);
        Calls.push_back("Show");
    }
    void SetSrcFileDisp(const std::string& path) override { Calls.push_back("Src " + path); }
    void SetDesFileDisp(const std::string& path) override { Calls.push_back("Des " + path); }
    void SetFileNumText(const std::string& text) override { Calls.push_back("FileNum " + text); }
    void SetNotSameFileText(const std::string& text) override
    {
        Calls.push_back("NotSame " + text);
    }
    void SetCompFileNumProgBar(int percent) override
    {
        Calls.push_back("Bar " + std::to_string(percent));
    }
    bool CancelRequested() override
    {
        Calls.push_back("Cancel?");
        return Cancel;
    }
    void CloseView() override { Calls.push_back("Close"); }
    void SetProgressBar(int percent) override
    {
        if (ThrowOnContents) throw IoFailure{ERROR_ACCESS_DENIED};
        if (CancelOnContents) Cancel = true;
        Calls.push_back("Progress " + std::to_string(percent));
    }
    void SetProgDisp(const std::string& text) override { Calls.push_back("ProgDisp " + text); }

    std::vector<std::string> Starting(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& c : Calls)
            if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
        return out;
    }
};

// The main window's part in the command, recorded.
struct RecordingHost : CompareCommandHost {
    FolderPane Src;
    std::string DesPath;
    std::vector<std::string> Calls;
    int EntriesSeenByResults = -1;
    std::vector<FilePairEntry> EntriesShown;

    ReferencePane& SrcPane() override { return Src; }
    int SrcSelectedCount() override
    {
        int n = 0;
        for (bool s : Src.Selected)
            n += s;
        return n;
    }
    bool DesVirtual = false;
    std::function<void()> BeforeRun; // runs once, after collection, when the run reads the paths

    std::string SelectedPath(PaneSide side) override
    {
        if (BeforeRun) std::exchange(BeforeRun, nullptr)();
        return side == PaneSide::Src ? Src.Folder : DesPath;
    }
    std::wstring DesRealPath;
    std::wstring SelectedRealPath(PaneSide side) override
    {
        return side == PaneSide::Src ? Src.RealFolder : DesRealPath;
    }
    bool IsVirtualFolder(PaneSide side) override
    {
        return side == PaneSide::Src ? Src.Virtual : DesVirtual;
    }
    void ShowResults() override
    {
        EntriesSeenByResults = static_cast<int>(FileEntries.size());
        EntriesShown.clear();
        for (const FilePairEntry& e : FileEntries)
            EntriesShown.push_back(e);
        Calls.push_back("ShowResults");
    }
    void AddFolderHistory(PaneSide side, const std::string& path) override
    {
        Calls.push_back(std::string(side == PaneSide::Src ? "SrcHistory " : "DesHistory ") + path);
    }
};

// Keeps the settings of one test from leaking into the next.
struct SettingsRestorer {
    TEnvSettings Saved = EnvSettings;
    ~SettingsRestorer() { EnvSettings = Saved; }
};

// A hidden window standing in as the main window, so disabling it can be seen.
struct MainWindowStandIn {
    Form Window;
    MainWindowStandIn()
    {
        FormArgs args;
        args.Caption = "main";
        args.Width = 100;
        args.Height = 100;
        args.OwnerIsDesktop = true;
        Window.CreateForm(args);
        Application.MainWindow = Window.Handle;
    }
    ~MainWindowStandIn() { Application.MainWindow = nullptr; }
    bool Enabled() const { return IsWindowEnabled(Window.Handle) != FALSE; }
};

// Without the trailing "\" of a folder path.
inline std::string WithoutSlash(std::string path)
{
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}
