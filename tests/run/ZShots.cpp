#include <gtest/gtest.h>
#include <cstdio>
#include "engine/CompDispView.h"
#include "tests/run/RunFakes.h"

namespace {
struct NullView : CompareProgressView {
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
}

TEST(Shots, Costs)
{
    FolderPane pane;
    pane.Folder = "Z:\\tmp\\b-many\\src";
    pane.Add("many");
    ULONGLONG t0 = GetTickCount64();
    CollectFiles(pane);
    ULONGLONG t1 = GetTickCount64();
    for (int contents = 1; contents >= 0; --contents) {
        EnvSettings.CompContents = contents;
        NullView nv;
        ULONGLONG a = GetTickCount64();
        RunComparison(pane.Folder, "Z:\\tmp\\b-many\\des", nv);
        ULONGLONG b = GetTickCount64();
        CompDispView v;
        RunComparison(pane.Folder, "Z:\\tmp\\b-many\\des", v);
        ULONGLONG c = GetTickCount64();
        printf("collect %llu; contents %d: null view %llu ms, real view %llu ms (%d entries)\n", t1 - t0, contents, b - a, c - b, EntryCount);
    }
}
