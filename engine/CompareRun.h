#pragma once
#include <string>

#include "engine/Collection.h"
#include "engine/PairChecks.h"

// The updates the comparison loop makes to its progress window, and nothing more,
// so the loop runs against the real TCompDispDlg or against a test's own view.
struct CompareProgressView : ContentsProgress {
    virtual void Open() = 0;  // creates the window; its creation sets StartTime
    virtual void EnableProgTimer(bool enabled) = 0;
    virtual void SetProgTimeText(const std::string& text) = 0;
    virtual void ShowView() = 0;  // shows it, not modal
    virtual void SetSrcFileDisp(const std::string& path) = 0;
    virtual void SetDesFileDisp(const std::string& path) = 0;
    virtual void SetFileNumText(const std::string& text) = 0;
    virtual void SetNotSameFileText(const std::string& text) = 0;
    virtual void SetCompFileNumProgBar(int percent) = 0;
    virtual bool CancelRequested() = 0;  // the hidden CancelChkBox
    virtual void CloseView() = 0;        // destroys the window
};

// What the compare command needs of the main window.
enum class PaneSide { Src, Des };
struct CompareCommandHost {
    virtual ~CompareCommandHost() = default;
    virtual ReferencePane& SrcPane() = 0;  // SrcFolderView with SrcFileView
    virtual int SrcSelectedCount() = 0;
    virtual std::string SelectedPath(PaneSide side) = 0;  // GetSelectedPath of the tree
    virtual void ShowResults() = 0;
    virtual void AddFolderHistory(PaneSide side, const std::string& path) = 0;
};

// The comparison loop over FileEntries, with the bases taken from the two trees' paths.
void RunComparison(const std::string& srcSelectedPath, const std::string& desSelectedPath,
                   CompareProgressView& view);
// The whole compare command (CompMenuItemClick's body) with the real progress window.
void CompareCommand(CompareCommandHost& host);
