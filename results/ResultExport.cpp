#include "results/ResultExport.h"

#include "engine/Util.h"
#include "results/Result.h"
#include "toolkit/MessageBoxes.h"

#include <memory>
#include <optional>

SaveDialogFunction SaveDialogRequest = GetSaveFileNameA;

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

const DWORD EofMarkWindow = 128;

// An appended file goes on from its end, or from the first 1A mark near the end.
void MoveToAppendPoint(HANDLE file)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) throw IoFailure{GetLastError()};
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart > EofMarkWindow ? size.QuadPart - EofMarkWindow : 0;
    if (!SetFilePointerEx(file, from, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
    std::string tail(static_cast<size_t>(size.QuadPart - from.QuadPart), '\0');
    DWORD got = 0;
    if (!tail.empty() &&
        !ReadFile(file, tail.data(), static_cast<DWORD>(tail.size()), &got, nullptr))
        throw IoFailure{GetLastError()};
    size_t mark = tail.find('\x1A');
    LARGE_INTEGER end = size;
    if (mark != std::string::npos && mark < got) end.QuadPart = from.QuadPart + mark;
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) throw IoFailure{GetLastError()};
    if (end.QuadPart != size.QuadPart && !SetEndOfFile(file)) throw IoFailure{GetLastError()};
}

// A short write is a full disk, even when the call itself reported success.
void WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            throw IoFailure{GetLastError()};
        if (written != chunk) throw IoFailure{ERROR_DISK_FULL};
        done += written;
    }
}

struct BusyCursor {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ~BusyCursor() { SetCursor(previous ? previous : LoadCursor(nullptr, IDC_ARROW)); }
};
} // namespace

std::string ExportText(const std::string& srcFolder, const ResultRows& rows)
{
    std::string text = "ファイル名,日付,サイズ,内容\r\n";
    for (const FilePairEntry* row : rows) {
        text += RowFolderPath(srcFolder, row->Folder) + row->Name;
        for (int column : {rcDate, rcSize, rcContents}) {
            text += ',';
            text += ResultRowText(*row, column);
        }
        text += "\r\n";
    }
    return text;
}

void ExportRows(const std::string& path, bool overwrite, const std::string& srcFolder,
                const ResultRows& rows, const std::function<void()>& whileOpen)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           overwrite ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    FileHandle file(h);
    if (!overwrite) MoveToAppendPoint(h);
    WriteAll(h, ExportText(srcFolder, rows));
    if (whileOpen) whileOpen();
}

void TResultDlg::SaveButtonClick()
{
    // Double-NUL list of the two choices; the name starts as result.csv every time.
    static const char filter[] = "CSVﾌｧｲﾙ (*.csv)\0*.csv\0すべてのﾌｧｲﾙ\0*.*\0";
    std::vector<char> name(32768, '\0');
    const char defaultName[] = "result.csv";
    std::copy(defaultName, defaultName + sizeof(defaultName), name.begin());
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!SaveDialogRequest(&dialog)) return;
    std::string path(name.data());

    bool overwrite = true;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        overwrite = AskYesNo("既にファイルが存在します。上書きしますか？");

    std::optional<BusyCursor> busy(std::in_place);
    try {
        // The file stays open until the notice is dismissed.
        ExportRows(path, overwrite, SrcFolderDisp.Caption(), Rows,
                   [] { ShowNotice("保存しました"); });
    } catch (const IoFailure& failure) {
        busy.reset();
        ReportIoError(failure.Code);
    }
}
