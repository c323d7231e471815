// The text view's 保存: the unified diff of the pair under the view's rules, written
// beside its place first and put in place only once whole; a file it replaces goes to
// the recycle bin.
#include "results/TextDiffDlg.h"

#include "results/TextDiffSave.h"
#include "textdiff/UnifiedDiff.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>
#include <shellapi.h>
#include <vector>

SaveDialogWideFunction TextDiffSaveDialogRequest = GetSaveFileNameW;

namespace {
FILETIME LastWriteOf(const FilePath& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileAttributesOf(path, data);
    return data.ftLastWriteTime;
}

bool HasLoneCr(const TextFile& file)
{
    return file.Endings == EndingStyle::Cr || file.Endings == EndingStyle::Mixed;
}

void Reload(const FilePath& path, TextFile& file)
{
    HANDLE handle = OpenForReading(path);
    if (handle == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    try {
        LoadTextFile(handle, file, LineBreaks::LfOnly);
    } catch (...) {
        CloseHandle(handle);
        throw;
    }
    CloseHandle(handle);
}

bool MoveAside(const std::wstring& from, const std::wstring& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Moves a file to the recycle bin; false when the platform would not.
bool Recycle(const std::wstring& path)
{
    std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}
} // namespace

std::wstring WriteReplacing(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path + L".vexil-new", previous = path + L".vexil-old";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    size_t done = 0;
    DWORD error = 0;
    while (done < bytes.size() && error == 0) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20)), written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr))
            error = GetLastError();
        else if (written < piece) // a full disk first writes short
            error = ERROR_DISK_FULL;
        done += written;
    }
    if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
    CloseHandle(file);
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        throw IoFailure{error};
    }
    const bool existed = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (existed && !MoveAside(path, previous)) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
        throw IoFailure{error};
    }
    if (!MoveAside(temporary, path)) {
        error = GetLastError();
        if (existed) MoveAside(previous, path);
        DeleteFileW(temporary.c_str());
        throw IoFailure{error};
    }
    if (existed && !Recycle(previous)) return previous;
    return L"";
}

void TTextDiffDlg::SaveButtonClick()
{
    std::wstring suggested = WideOf(referencePath_.Text);
    suggested = suggested.substr(suggested.find_last_of(L'\\') + 1) + L".diff";
    std::vector<wchar_t> name(32768, L'\0');
    std::copy(suggested.begin(), suggested.end(), name.begin());
    static const wchar_t filter[] = L"差分 (*.diff;*.patch)\0*.diff;*.patch\0すべてのファイル\0*.*\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = L"diff";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT;
    if (!TextDiffSaveDialogRequest(&dialog)) return;
    std::wstring path = name.data();

    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    try {
        std::string text;
        auto label = [](const FilePath& p) { return p.Text + "\t" + DiffTimeText(LastWriteOf(p)); };
        if (HasLoneCr(Reference) || HasLoneCr(Target)) {
            // As patch reads them: a lone CR stays inside its line.
            TextFile a, b;
            Reload(referencePath_, a);
            Reload(targetPath_, b);
            AppendUnifiedDiff(a, b, DiffTextFiles(a, b, Options), label(referencePath_),
                              label(targetPath_), text);
        } else {
            AppendUnifiedDiff(Reference, Target, Diff, label(referencePath_), label(targetPath_),
                              text);
        }
        std::wstring kept = WriteReplacing(path, text);
        SetCursor(previous);
        if (!kept.empty())
            ShowInformation("置き換えたファイルをごみ箱に移せなかったため、" + CodePageText(kept) +
                            " として残しました。");
        ::ShowNotice("保存しました");
    } catch (const IoFailure& failure) {
        SetCursor(previous);
        ReportIoError(failure.Code);
    }
}
