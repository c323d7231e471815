#include "results/TrelkDisp.h"

#include "engine/Util.h"
#include "results/FitText.h"
#include "results/Result.h"
#include "toolkit/Clipboard.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Pump.h"

#include <algorithm>
#include <new>

namespace {
const char* const InUseText = "ファイルが使用中のため、表示できません。";
const char* const GoneText = "ファイルが見つからないため、表示できません。";

// The view's rows, up to what the list can show or memory can hold.
struct ListSink : ByteDifferenceSink {
    ByteDifferenceList& List;
    int64_t ReferenceEnd = INT64_MAX, TargetEnd = INT64_MAX;
    explicit ListSink(ByteDifferenceList& list) : List(list) {}
    bool Row(const ByteDifference& row) override
    {
        if (List.size() >= ByteDifferenceLimit) return false;
        // Every position past a file's end is a row, so the first such row is its length.
        if (row.ReferenceMissing && ReferenceEnd == INT64_MAX) ReferenceEnd = row.Offset;
        if (row.TargetMissing && TargetEnd == INT64_MAX) TargetEnd = row.Offset;
        List.SetLengths(ReferenceEnd, TargetEnd);
        try {
            List.Add(row.Offset, row.Reference, row.Target);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    void AtFixedPoint() override { PumpAtFixedPoint(); }
};
} // namespace

bool DumpDifferences(const FilePath& reference, const FilePath& target,
                     ByteDifferenceList& differences)
{
    ListSink sink(differences);
    return ScanDifferences(reference, target, sink);
}

TTrelkDispDlg::~TTrelkDispDlg()
{
    Destroy();
}

bool TTrelkDispDlg::Open(HWND owner)
{
    FormArgs args;
    args.Caption = "表示";
    // Wide enough for every column at its caption's width.
    args.Width = 580;
    args.Height = 355;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.Owner = owner;
    return CreateForm(args);
}

void TTrelkDispDlg::FormCreate()
{
    HeaderPanel.Create(Handle, 0, 0, 0, 53);
    Label1.Create(HeaderPanel.Handle, "基準ファイル：", 4, 9, 77, 15);
    SrcFileDisp.Create(HeaderPanel.Handle, 92, 8, 464, 17);
    Label2.Create(HeaderPanel.Handle, "対象ファイル：", 4, 29, 77, 15);
    DesFileDisp.Create(HeaderPanel.Handle, 92, 28, 464, 17);
    for (Label* label : {&Label1, &Label2})
        FitLabelToText(*label, 86);

    TrelkLView.Create(Handle, 0, 53, 0, 0, false, false);
    ActiveControl = &TrelkLView;
    TrelkLView.AddColumn("アドレス", 80, TextAlign::Left);
    TrelkLView.AddColumn("基準(16進)", 70, TextAlign::Center);
    TrelkLView.AddColumn("対象(16進)", 70, TextAlign::Center);
    TrelkLView.AddColumn("基準(10進)", 70, TextAlign::Center);
    TrelkLView.AddColumn("対象(10進)", 70, TextAlign::Center);
    TrelkLView.AddColumn("基準(ASCII)", 80, TextAlign::Center);
    TrelkLView.AddColumn("対象(ASCII)", 80, TextAlign::Center);
    TrelkLView.OnGetText = [this](int row, int column) {
        if (row < 0 || row >= static_cast<int>(Differences.size())) return std::string();
        return ByteDifferenceText(Differences[static_cast<size_t>(row)], column);
    };
    // A row has nothing to open: Enter leaves the view as it is.
    TrelkLView.OnEnter = [] {};
    TrelkLView.OnCopy = [this] { CopySelectedRows(); };

    FooterPanel.Create(Handle, 0, 0, 0, 34);
    OKButton.Create(FooterPanel.Handle, "OK", 236, 4, 77, 25, true);
    DefaultButtonId = OKButton.Id();
    OKButton.OnClick = [this] { OKButtonClick(); };
    SaveButton.Create(FooterPanel.Handle, "保存(&S)", 236 + 77 + 8, 4, 77, 25);
    SaveButton.OnClick = [this] { SaveButtonClick(); };
}

void TTrelkDispDlg::FormResize()
{
    if (!OKButton.Exists()) return;
    SIZE client = ClientSize();
    const int header = Scaled(53), footer = Scaled(34);
    HeaderPanel.SetBounds(0, 0, client.cx, header);
    FooterPanel.SetBounds(0, client.cy - footer, client.cx, footer);
    TrelkLView.SetBounds(0, header, client.cx, std::max(0L, client.cy - header - footer));
    OKButton.SetLeft((Width() - OKButton.Width()) / 2);
    SaveButton.SetLeft(OKButton.Left() + OKButton.Width() + Scaled(8));
}

void TTrelkDispDlg::Fill(const FilePath& reference, const FilePath& target)
{
    SrcFileDisp.SetCaption(reference.Text, ShownPathForm(reference.Real));
    DesFileDisp.SetCaption(target.Text, ShownPathForm(target.Real));
    TrelkLView.SetRedraw(false);
    Differences.clear();
    try {
        AllDifferencesShown = DumpDifferences(reference, target, Differences);
    } catch (...) {
        TrelkLView.SetRedraw(true);
        throw;
    }
    TrelkLView.SetRowCount(static_cast<int>(Differences.size()));
    TrelkLView.SetRedraw(true);
}

void TTrelkDispDlg::OKButtonClick()
{
    ModalResult = mrOK;
}

void TTrelkDispDlg::CopySelectedRows()
{
    std::vector<int> rows = TrelkLView.SelectedRows();
    if (rows.empty()) return;
    std::string text = ByteCsvHeaderLine(CsvEncoding::ShiftJis);
    for (int row : rows)
        if (row < static_cast<int>(Differences.size()))
            text += ByteCsvLine(Differences[static_cast<size_t>(row)], CsvEncoding::ShiftJis);
    PutTextOnClipboard(Handle, text);
}

void TTrelkDispDlg::SaveButtonClick()
{
    SaveCsvFile(Handle, "bytes.csv",
                [this](const std::string& path, bool overwrite, CsvEncoding encoding,
                       const std::function<void()>& whileOpen) {
                    CsvFile file(WideOf(path), overwrite, encoding);
                    file.Write(ByteCsvHeaderLine(file.Encoding()));
                    for (size_t row = 0; row < Differences.size(); ++row)
                        file.Write(ByteCsvLine(Differences[row], file.Encoding()));
                    file.Flush();
                    whileOpen();
                });
}

bool TResultDlg::SelectedPair(FilePath& reference, FilePath& target) const
{
    const FilePairEntry* row = SelectedRow();
    if (!row) return false;
    // A row whose name the code page cannot hold reaches its files by the real name.
    reference =
        RecordPath(BasePath(Folders.Src, Folders.SrcReal), row->Folder, row->Name, row->RealPath);
    target =
        RecordPath(BasePath(Folders.Des, Folders.DesReal), row->Folder, row->Name, row->RealPath);
    // A file gone since the run is missing, not in use.
    auto gone = [](const FilePath& path) {
        FileFacts facts = LookUpFile(path);
        return !facts.Found && FileFacts::IsNotFoundError(facts.Error);
    };
    if (gone(reference) || gone(target)) {
        ShowInformation(GoneText);
        return false;
    }
    if (IsFileInUse(reference) || IsFileInUse(target)) {
        ShowInformation(InUseText);
        return false;
    }
    return true;
}

void ShowByteDifferences(HWND owner, const FilePath& reference, const FilePath& target)
{
    TTrelkDispDlg view;
    if (!view.Open(owner)) return;
    // The dump lets messages through; a second dump or a close meanwhile would pull
    // the rows from under it, so the window it opened from waits.
    EnableWindow(owner, FALSE);
    try {
        view.Fill(reference, target);
    } catch (const IoFailure& failure) {
        EnableWindow(owner, TRUE);
        view.Destroy();
        ReportIoError(failure.Code);
        return;
    }
    EnableWindow(owner, TRUE);
    if (!view.AllDifferencesShown)
        ShowInformation("相違バイト数が多すぎるため、最初の" +
                        std::to_string(view.Differences.size()) + "個だけを表示します。");
    view.ShowModal();
}

void TResultDlg::TrelkDispButtonClick()
{
    FilePath reference, target;
    if (SelectedPair(reference, target)) ShowByteDifferences(Handle, reference, target);
}
