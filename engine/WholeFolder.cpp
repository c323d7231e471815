#include "engine/WholeFolder.h"

#include "engine/ExcludeMasks.h"
#include "engine/FolderWalk.h"
#include "toolkit/CodePage.h"

#include <algorithm>
#include <utility>

std::string WholeFolder::GetSelectedPath()
{
    return CodePageText(Real);
}

std::string WholeFolder::ItemCaption(int index)
{
    return CodePageText(Names[static_cast<size_t>(index)]);
}

bool WholeFolder::List()
{
    std::vector<std::pair<bool, std::wstring>> items; // file?, name
    ExclusionRule rule = CurrentExclusionRule();
    auto keep = [&](const FoundEntry& found) {
        if (rule.Excludes(found.Name, found.IsFolder()))
            ++Excluded;
        else
            items.emplace_back(!found.IsFolder(), found.Name);
        return true;
    };
    bool listed = !Real.empty() && ListFolder(Real.back() == L'\\' ? Real : Real + L'\\', keep, Error);
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return b.first;
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.second.c_str(), -1,
                              b.second.c_str(), -1) == CSTR_LESS_THAN;
    });
    for (auto& item : items)
        Names.push_back(std::move(item.second));
    return listed;
}
