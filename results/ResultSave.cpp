// The result window's 結果保存: the save dialog, the question about an existing file and
// the notice, around ExportRows.
#include "results/Result.h"
#include "results/ResultExport.h"
#include "toolkit/Clipboard.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <optional>
#include <vector>

SaveDialogFunction SaveDialogRequest = GetSaveFileNameA;

namespace {
struct BusyCursor {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ~BusyCursor() { SetCursor(previous ? previous : LoadCursor(nullptr, IDC_ARROW)); }
};
} // namespace

namespace {
// The save dialog with its choice of encoding, and the question about an existing file.
bool AskCsvFile(HWND owner, const char* defaultName, std::string& path, bool& overwrite,
                CsvEncoding& encoding)
{
    // Double-NUL list; Shift-JIS first, as every earlier file was. The name starts as the
    // default every time.
    static const char filter[] = "CSV (Shift-JIS)\0*.csv\0CSV (UTF-8)\0*.csv\0すべてのﾌｧｲﾙ\0*.*\0";
    std::vector<char> name(32768, '\0');
    std::copy(defaultName, defaultName + std::char_traits<char>::length(defaultName) + 1,
              name.begin());
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!SaveDialogRequest(&dialog)) return false;
    path = name.data();
    encoding = dialog.nFilterIndex == 2 ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis;
    overwrite = true;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        overwrite = AskYesNo("既にファイルが存在します。上書きしますか？");
    return true;
}
} // namespace

void SaveCsvFile(HWND owner, const char* defaultName, const CsvWriting& write)
{
    std::string path;
    bool overwrite = true;
    CsvEncoding encoding = CsvEncoding::ShiftJis;
    if (!AskCsvFile(owner, defaultName, path, overwrite, encoding)) return;

    std::optional<BusyCursor> busy(std::in_place);
    try {
        // The file stays open until the notice is dismissed.
        write(path, overwrite, encoding, [] { ShowNotice("保存しました"); });
    } catch (const IoFailure& failure) {
        busy.reset();
        ReportIoError(failure.Code);
    } catch (const UnappendableFile& refusal) {
        busy.reset();
        ReportFailure(refusal.Reason);
    }
}

void TResultDlg::SaveButtonClick()
{
    SaveCsvFile(Handle, "result.csv",
                [this](const std::string& path, bool overwrite, CsvEncoding encoding,
                       const std::function<void()>& whileOpen) {
                    ExportRows(path, overwrite, SrcFolderDisp.Caption(), Rows, whileOpen, encoding,
                               SrcRealFolder);
                });
}

void TResultDlg::CopySelectedRows()
{
    std::vector<int> selected = ResultList.SelectedRows();
    if (selected.empty()) return;
    // The code-page form as the file has it; the wide form with the names as the file
    // system spells them.
    std::string text = CsvHeaderLine(CsvEncoding::ShiftJis);
    std::string utf8 = CsvHeaderLine(CsvEncoding::Utf8);
    for (int row : selected) {
        if (row >= static_cast<int>(Rows.size())) continue;
        const FilePairEntry& entry = *Rows[static_cast<size_t>(row)];
        text += CsvRowLine(SrcFolderDisp.Caption(), entry);
        utf8 += CsvRowLine(SrcFolderDisp.Caption(), entry, CsvEncoding::Utf8, SrcRealFolder);
    }
    PutTextOnClipboard(Handle, text, WideOfUtf8(utf8));
}
