#pragma once
#include "mainwindow/Main.h"
#include "mainwindow/Program.h"
#include "settings/EnvSettings.h"
#include "settings/RegistryStore.h"
#include "tests/common/TempFolder.h"
#include "tests/common/TimedSteps.h"
#include "toolkit/Application.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <windows.h>

// A main window created over a fresh store, with both panes started in a folder of
// the test's own (the process's current directory is what a first start shows).
inline void ClearStore()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRootPath);
}

inline std::string StoredText(const char* section, const std::string& name)
{
    return ReadString(section, name, "<missing>");
}

inline std::string WithoutTrailingSlash(std::string path)
{
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

inline std::unique_ptr<TMainDlg> OpenMainWindow(const std::string& startFolder)
{
    SetCurrentDirectoryA(WithoutTrailingSlash(startFolder).c_str());
    EnvSettings = TEnvSettings{};
    auto form = std::make_unique<TMainDlg>();
    form->Create();
    return form;
}

inline bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(WithoutTrailingSlash(a).c_str(), WithoutTrailingSlash(b).c_str()) == 0;
}

inline int IndexOfCaption(TFileView& list, const std::string& caption)
{
    for (int i = 0; i < list.ItemCount(); ++i)
        if (list.ItemCaption(i) == caption) return i;
    return -1;
}

// The main window of the program that RunProgram runs.
inline TMainDlg& RunningMain()
{
    return *dynamic_cast<TMainDlg*>(FormOf(Application.MainWindow));
}

// The first step of a test of the running program: once its main window shows, the two
// panes go to the test's folders, then the test acts.
inline std::function<bool()> OnMainWindowAt(const std::string& ref, const std::string& des,
                                            std::function<void()> act)
{
    return When([] { return Application.MainWindow && IsWindowVisible(Application.MainWindow); },
                [ref, des, act] {
                    RunningMain().SrcFolderView.SelectPath(ref);
                    RunningMain().DesFolderView.SelectPath(des);
                    act();
                });
}

// Runs the program while the steps drive it, then closes its main window; the failure of
// the steps, "" when all were done.
inline std::string RunProgramWith(std::deque<std::function<bool()>> steps, DWORD limitMs)
{
    steps.push_back([] {
        PostMessageA(Application.MainWindow, WM_CLOSE, 0, 0);
        return true;
    });
    TimedSteps user(steps, limitMs);
    RunProgram();
    return user.Failure;
}
