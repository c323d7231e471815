#include "engine/ExcludeMasks.h"

#include "settings/EnvSettings.h"
#include "toolkit/CodePage.h"

#include <windows.h>

namespace {
// Both upper-cased. "*" backtracks to the last star only, which suffices for globs.
bool Matches(const wchar_t* mask, const wchar_t* name)
{
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*mask == L'*') {
            star = mask++;
            resume = name;
        } else if (*mask == L'?' || *mask == *name) {
            ++mask;
            ++name;
        } else if (star) {
            mask = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == L'*')
        ++mask;
    return *mask == 0;
}

bool MatchesFoldedName(const std::wstring& mask, const std::wstring& name)
{
    if (Matches(mask.c_str(), name.c_str())) return true;
    // As with the platform's "*.*" and "name.*", a name without an extension matches
    // a mask whose extension is only a star, and "*." asks for no extension at all.
    if (name.find(L'.') != std::wstring::npos || mask.size() < 2) return false;
    if (mask.compare(mask.size() - 2, 2, L".*") == 0)
        return Matches(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
    if (mask.back() == L'.') return Matches(mask.substr(0, mask.size() - 1).c_str(), name.c_str());
    return false;
}
} // namespace

std::wstring FoldedName(std::wstring name)
{
    // The invariant upper case of the kernel, as file systems fold names.
    if (!name.empty())
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(name.size()),
                     &name[0], static_cast<int>(name.size()));
    return name;
}

bool MaskMatchesName(const std::wstring& mask, const std::wstring& name)
{
    return MatchesFoldedName(FoldedName(mask), FoldedName(name));
}

ExclusionRule::ExclusionRule(const std::vector<std::wstring>& masks)
{
    for (const std::wstring& mask : masks) {
        if (!MaskProblem(mask).empty()) continue;
        std::wstring wide = FoldedName(mask);
        if (wide.back() == L'\\') {
            wide.pop_back();
            folders_.push_back(wide);
        } else {
            any_.push_back(wide);
        }
    }
}

bool ExclusionRule::Excludes(const std::wstring& name, bool isFolder) const
{
    if (Empty() || (!isFolder && any_.empty())) return false;
    std::wstring upper = FoldedName(name);
    for (const std::wstring& mask : any_)
        if (MatchesFoldedName(mask, upper)) return true;
    if (isFolder)
        for (const std::wstring& mask : folders_)
            if (MatchesFoldedName(mask, upper)) return true;
    return false;
}

ExclusionRule CurrentExclusionRule()
{
    if (!EnvSettings.ExcludeFlag) return {};
    return ExclusionRule(EnvSettings.ExcludeMasks);
}
