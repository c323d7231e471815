#pragma once
// The bench's own views: a progress view that shows nothing and a reference pane
// whose list holds the items of one folder with one of them selected.
#include "engine/Collection.h"
#include "engine/CompareRun.h"

#include <string>
#include <vector>

struct SilentProgressView : QuietProgressView {};

// A pane showing the folder `path` (no trailing "\") with the items `selected` selected.
struct OneFolderPane : ReferencePane {
    std::string Path;
    std::vector<std::string> Selected;
    OneFolderPane(std::string path, std::string selected)
        : Path(std::move(path)), Selected{std::move(selected)}
    {
    }
    bool IsVirtualFolder() override { return false; }
    std::string GetSelectedPath() override { return Path; }
    std::wstring GetSelectedRealPath() override { return {}; }
    int ItemCount() override { return static_cast<int>(Selected.size()); }
    std::string ItemCaption(int index) override { return Selected[static_cast<size_t>(index)]; }
    std::wstring ItemRealName(int) override { return {}; }
    bool ItemSelected(int) override { return true; }
};
