#pragma once
#include "engine/Collection.h"
#include "engine/PairChecks.h"

#include <string>
#include <utility>

// The updates the comparison loop makes to its progress window, and nothing more,
// so the loop runs against the real TCompDispDlg or against a test's own view.
struct CompareProgressView : ContentsProgress {
    virtual void Open() = 0;  // creates the window; its creation sets StartTime
    virtual void EnableProgTimer(bool enabled) = 0;
    virtual void SetProgTimeText(const std::string& text) = 0;
    virtual void ShowView() = 0;  // shows it, not modal
    virtual void SetSrcFileDisp(const std::string& path) = 0;
    virtual void SetDesFileDisp(const std::string& path) = 0;
    // The same, shown as the file system spells it where the code page cannot hold it.
    virtual void SetSrcFilePath(const FilePath& path) { SetSrcFileDisp(path.Text); }
    virtual void SetDesFilePath(const FilePath& path) { SetDesFileDisp(path.Text); }
    virtual void SetFileNumText(const std::string& text) = 0;
    virtual void SetNotSameFileText(const std::string& text) = 0;
    virtual void SetCompFileNumProgBar(int percent) = 0;
    virtual bool CancelRequested() = 0;  // the hidden CancelChkBox
    virtual void CloseView() = 0;        // destroys the window
};

// A view that shows nothing, for callers without a progress window; they override what
// they do show.
struct QuietProgressView : CompareProgressView {
    void Open() override {}
    void EnableProgTimer(bool) override {}
    void SetProgTimeText(const std::string&) override {}
    void ShowView() override {}
    void SetSrcFileDisp(const std::string&) override {}
    void SetDesFileDisp(const std::string&) override {}
    void SetFileNumText(const std::string&) override {}
    void SetNotSameFileText(const std::string&) override {}
    void SetCompFileNumProgBar(int) override {}
    bool CancelRequested() override { return false; }
    void CloseView() override {}
    void SetProgressBar(int) override {}
    void SetProgDisp(const std::string&) override {}
};

// What the compare command needs of the main window.
enum class PaneSide { Src, Des };
struct CompareCommandHost {
    virtual ~CompareCommandHost() = default;
    virtual ReferencePane& SrcPane() = 0;  // SrcFolderView with SrcFileView
    virtual int SrcSelectedCount() = 0;
    virtual std::string SelectedPath(PaneSide side) = 0;  // GetSelectedPath of the tree
    virtual std::wstring SelectedRealPath(PaneSide side) = 0; // GetSelectedRealPath of the tree
    virtual bool IsVirtualFolder(PaneSide side) = 0;      // IsVirtualFolder of the tree
    virtual void ShowResults() = 0;
    virtual void AddFolderHistory(PaneSide side, const std::string& path) = 0;
};

// A tree's selected folder as the run takes its base from it.
struct SelectedFolder {
    std::string Path;     // GetSelectedPath
    bool Virtual = false; // no file-system path (My Computer, the desktop's root...)
    std::wstring Real;    // GetSelectedRealPath
    // Every item of the folder is in the run (the console compares folders whole): what
    // only the target's folder itself holds is found too.
    bool Whole = false;
    SelectedFolder(std::string path, bool isVirtual = false, std::wstring real = {})
        : Path(std::move(path)), Virtual(isVirtual), Real(std::move(real))
    {
    }
};
// The base of one side: empty for a folder without a file-system path, else the path
// with one trailing "\", reached by the real path when the code-page one does not.
FilePath RunBaseOf(const SelectedFolder& folder);

// Counts why a pair's contents could not be read (DeniedCount, LockedCount): the open
// error of the reference, else the target's.
void CountUnreadable(const FilePath& reference, const FilePath& target);

// The comparison loop over FileEntries, with the bases taken from the two trees.
void RunComparison(const SelectedFolder& src, const SelectedFolder& des, CompareProgressView& view);
// What the end of a run says of what it did not compare or left out ("" when nothing):
// records not compared, folders not read, links not entered, what the masks excluded.
std::string UncomparedNoticeText();
// With TargetOnly off, how many files and folders only the target holds ("" for none),
// followed by howToShow, where to switch them on.
std::string UnlistedTargetNoticeText(const std::string& howToShow);
// What a cancelled run says first: how many records of how many it went through.
std::string CancelledText();
// What one compare command takes from the reference pane: the selection of its list, or
// its folder whole (every item as the folder holds it now, and with TargetOnly what only
// the target folder itself holds), as the console compares a folder.
enum class CompareScope { Selection, Whole };
// The whole compare command (CompMenuItemClick's body) with the real progress window.
void CompareCommand(CompareCommandHost& host, CompareScope scope = CompareScope::Selection);
