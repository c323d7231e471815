#pragma once
#include "engine/CompDisp.h"
#include "engine/CompareRun.h"

#include <memory>

// The comparison loop's view on the real progress window. The window exists from
// Open to CloseView, the main window is disabled meanwhile, and messages are pumped at
// the loop's fixed points; before and after, every update is ignored.
struct CompDispView : CompareProgressView {
    std::unique_ptr<TCompDispDlg> Dialog;

    ~CompDispView() override;

    void Open() override;
    void EnableProgTimer(bool enabled) override;
    void SetProgTimeText(const std::string& text) override;
    void ShowView() override;
    void SetSrcFileDisp(const std::string& path) override;
    void SetDesFileDisp(const std::string& path) override;
    void SetSrcFilePath(const FilePath& path) override;
    void SetDesFilePath(const FilePath& path) override;
    void SetFileNumText(const std::string& text) override;
    void SetNotSameFileText(const std::string& text) override;
    void SetCompFileNumProgBar(int percent) override;
    bool CancelRequested() override;
    void CloseView() override;
    void SetProgressBar(int percent) override;
    void SetProgDisp(const std::string& text) override;
    void AtFixedPoint() override;

    // Writes the latest values now. Paths, counts and the contents bar change every
    // record, and writing them costs more than comparing a small pair, so they
    // otherwise reach the window at most every 20 ms.
    void Flush(bool force = true);

private:
    std::string pendingSrc_, pendingDes_, pendingFileNum_, pendingNotSame_, pendingProgDisp_;
    std::wstring pendingSrcReal_, pendingDesReal_; // empty where the code-page path is shown
    int pendingProgressBar_ = 0;
    unsigned long long lastFlush_ = 0;
    bool mainDisabled_ = false;

    // The values last written: the loop repeats most of them every record, and a
    // window update costs a server round trip under Wine.
    std::string src_, des_, fileNum_, notSame_, progDisp_;
    std::wstring srcReal_, desReal_;
    int compBar_ = -1, progressBar_ = -1;
};
