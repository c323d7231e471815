#pragma once
#include "settings/MaskProblem.h"

#include <string>
#include <vector>

// Exclusion masks: a mask names files and folders alike ("*.obj", "Thumbs.db", "bin"), or
// folders only when it ends with "\" (".git\", "bin\"). A mask matches the name alone,
// without regard to case, with "*" for any run of characters and "?" for one, as the
// platform's own wildcards do.

// A name upper-cased as the platform compares names.
std::wstring FoldedName(std::wstring name);

// True when the wildcard mask matches the whole name.
bool MaskMatchesName(const std::wstring& mask, const std::wstring& name);

// The masks of a run. The default rule leaves nothing out.
class ExclusionRule {
public:
    ExclusionRule() = default;
    explicit ExclusionRule(const std::vector<std::wstring>& masks);
    // Whether the file or folder of this real name is left out.
    bool Excludes(const std::wstring& name, bool isFolder) const;
    bool Empty() const { return any_.empty() && folders_.empty(); }

private:
    std::vector<std::wstring> any_, folders_; // upper-cased, without the trailing "\"
};

// The rule the settings ask for: the masks when exclusion is on, else none.
ExclusionRule CurrentExclusionRule();
