// The result window's 結果保存: the save dialog, the question about an existing file and
// the notice, around ExportRows.
#include "results/Result.h"
#include "results/ResultExport.h"
#include "settings/EnvSettings.h"
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
                CsvEncoding& encoding, DialogCheckBox* option)
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
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (option) option->Attach(dialog);
    if (!SaveDialogRequest(&dialog)) return false;
    path = name.data();
    encoding = dialog.nFilterIndex == 2 ? CsvEncoding::Utf8 : CsvEncoding::ShiftJis;
    overwrite = true;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        overwrite = AskYesNo("既にファイルが存在します。上書きしますか？");
    return true;
}
} // namespace

void SaveCsvFile(HWND owner, const char* defaultName, const CsvWriting& write,
                 DialogCheckBox* option)
{
    std::string path;
    bool overwrite = true;
    CsvEncoding encoding = CsvEncoding::ShiftJis;
    if (!AskCsvFile(owner, defaultName, path, overwrite, encoding, option)) return;

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
    // The value columns are a choice of the dialog, remembered for the next save.
    DialogCheckBox values;
    values.Caption = "日時とサイズの列も保存する(&V)";
    values.Checked = EnvSettings.CsvValueColumns;
    SaveCsvFile(
        Handle, "result.csv",
        [&](const std::string& path, bool overwrite, CsvEncoding encoding,
            const std::function<void()>& whileOpen) {
            EnvSettings.CsvValueColumns = values.Checked;
            ExportRows(path, overwrite, Folders, Rows, whileOpen, {encoding, values.Checked});
        },
        &values);
}

void TResultDlg::CopySelectedRows()
{
    std::vector<int> selected = ResultList.SelectedRows();
    if (selected.empty()) return;
    // The code-page form as the file has it; the wide form with the names as the file
    // system spells them.
    const bool values = EnvSettings.CsvValueColumns;
    std::string text = CsvHeaderLine(CsvEncoding::ShiftJis, values);
    std::string utf8 = CsvHeaderLine(CsvEncoding::Utf8, values);
    for (int row : selected) {
        if (row >= static_cast<int>(Rows.size())) continue;
        const FilePairEntry& entry = *Rows[static_cast<size_t>(row)];
        text += CsvRowLine(Folders, entry, CsvEncoding::ShiftJis, values);
        utf8 += CsvRowLine(Folders, entry, CsvEncoding::Utf8, values);
    }
    PutTextOnClipboard(Handle, text, WideOfUtf8(utf8));
}
