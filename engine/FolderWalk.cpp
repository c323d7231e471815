#include "engine/FolderWalk.h"

bool WalkStack::IdentityOf(const std::wstring& path, Identity& id)
{
    // Opening a folder needs backup semantics; the handle follows links to their target.
    HANDLE folder = CreateFileW(LongPathForm(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known) return false;
    id.Volume = info.dwVolumeSerialNumber;
    id.Index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool WalkStack::LeadsBack(const std::wstring& folderPath)
{
    Identity link;
    // A link whose target cannot be told is not entered: it might loop.
    if (!IdentityOf(folderPath, link)) return true;
    for (Folder& folder : folders_) {
        // Only the walk's folders met on the way to a link are ever asked for.
        if (!folder.Known && !IdentityOf(folder.Path, folder.Id)) continue;
        folder.Known = true;
        if (folder.Id == link) return true;
    }
    return false;
}

void WalkStack::PushWithAncestors(const std::wstring& folderPath)
{
    // Each prefix that ends at a separator; those that name no folder ("\\?\") are
    // never matched, as their identity cannot be told.
    for (size_t at = folderPath.find(L'\\'); at != std::wstring::npos;
         at = folderPath.find(L'\\', at + 1))
        if (at + 1 < folderPath.size()) Push(folderPath.substr(0, at + 1));
    Push(folderPath);
}
