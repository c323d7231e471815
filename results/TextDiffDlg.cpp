#include "results/TextDiffDlg.h"

#include "results/FitText.h"
#include "toolkit/Clipboard.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>

namespace {
const int HeaderHeight = 96, FooterHeight = 34; // at 96 dpi
const int InfoWidth = 230;
const int ButtonWidth = 88, ButtonGap = 8;

// Closes the handle on every way out.
struct ReadHandle {
    HANDLE Value;
    explicit ReadHandle(const FilePath& path) : Value(OpenForReading(path)) {}
    ~ReadHandle()
    {
        if (Value != INVALID_HANDLE_VALUE) CloseHandle(Value);
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
};

void Load(const FilePath& path, TextFile& file)
{
    ReadHandle handle(path);
    if (handle.Value == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    LoadTextFile(handle.Value, file);
}

std::string Grouped(size_t n)
{
    std::string digits = std::to_string(n), text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}
} // namespace

TTextDiffDlg::~TTextDiffDlg()
{
    Destroy();
}

bool TTextDiffDlg::Open(HWND owner)
{
    FormArgs args;
    args.Caption = "テキスト比較";
    args.Width = 860;
    args.Height = 600;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.FontFace = "ＭＳ Ｐゴシック";
    args.Owner = owner;
    if (!CreateForm(args)) return false;
    FitOntoScreen();
    return true;
}

// At a high DPI the designed size may pass the screen: the window keeps to its work area.
void TTextDiffDlg::FitOntoScreen()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(Handle, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
    const RECT& work = monitor.rcWork;
    RECT outer;
    GetWindowRect(Handle, &outer);
    int width = std::min<int>(outer.right - outer.left, work.right - work.left);
    int height = std::min<int>(outer.bottom - outer.top, work.bottom - work.top);
    if (width == outer.right - outer.left && height == outer.bottom - outer.top) return;
    SetWindowPos(Handle, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTextDiffDlg::FormCreate()
{
    HeaderPanel.Create(Handle, 0, 0, 0, HeaderHeight);
    Label1.Create(HeaderPanel.Handle, "基準ファイル：", 4, 9, 77, 15);
    SrcFileDisp.Create(HeaderPanel.Handle, 92, 8, 400, 17);
    Label2.Create(HeaderPanel.Handle, "対象ファイル：", 4, 29, 77, 15);
    DesFileDisp.Create(HeaderPanel.Handle, 92, 28, 400, 17);
    for (Label* label : {&Label1, &Label2})
        FitLabelToText(*label, 86);
    SrcInfoText.Create(HeaderPanel.Handle, "", 500, 9, InfoWidth, 15, TextAlign::Left, false, true);
    DesInfoText.Create(HeaderPanel.Handle, "", 500, 29, InfoWidth, 15, TextAlign::Left, false, true);
    OptionsLabel.Create(HeaderPanel.Handle, "無視する違い：", 4, 53, 86, 15);
    FitLabelToText(OptionsLabel, 100);
    for (int i = 0; i < TextOptionCount; ++i) {
        OptionChkBoxes[i].Create(HeaderPanel.Handle, OptionCaption(i), 92, 50, 90, 20);
        OptionChkBoxes[i].OnClick = [this] { OptionChkBoxClick(); };
    }
    PlaceOptions();
    NoticeText.Create(HeaderPanel.Handle, "", 4, 76, 600, 16, TextAlign::Left, false, true);

    DiffPanes.Create(Handle, 0, HeaderHeight, 0, 0);
    DiffPanes.OnPositionChanged = [this] { DiffPanesPositionChanged(); };
    ActiveControl = &DiffPanes;

    FooterPanel.Create(Handle, 0, 0, 0, FooterHeight);
    struct Spec {
        Button& button;
        const char* caption;
        std::function<void()> click;
    } buttons[] = {
        {PrevButton, "前の相違(&P)", [this] { PrevButtonClick(); }},
        {NextButton, "次の相違(&N)", [this] { NextButtonClick(); }},
        {SaveButton, "保存(&S)", [this] { SaveButtonClick(); }},
        {TrelkDispButton, "バイト表示(&B)", [this] { TrelkDispButtonClick(); }},
        {OKButton, "閉じる(&C)", [this] { OKButtonClick(); }},
    };
    int left = 0;
    for (Spec& spec : buttons) {
        spec.button.Create(FooterPanel.Handle, spec.caption, left, 4, ButtonWidth, 25,
                           &spec.button == &OKButton);
        spec.button.OnClick = spec.click;
        left += ButtonWidth + ButtonGap;
    }
    DefaultButtonId = OKButton.Id();
}

// The check boxes one after the other, each as wide as its caption needs.
void TTextDiffDlg::PlaceOptions()
{
    int x = OptionsLabel.Left() + OptionsLabel.Width() + Scaled(6);
    for (CheckBox& box : OptionChkBoxes) {
        int width = box.FittedWidth();
        box.SetBounds(x, Scaled(50), width, Scaled(20));
        x += width + Scaled(6);
    }
}

void TTextDiffDlg::FormDpiChanged(UINT)
{
    PlaceOptions();
}

void TTextDiffDlg::FormResize()
{
    if (!OKButton.Exists()) return;
    SIZE client = ClientSize();
    const int header = Scaled(HeaderHeight), footer = Scaled(FooterHeight);
    HeaderPanel.SetBounds(0, 0, client.cx, header);
    int info = Scaled(InfoWidth), pathLeft = Scaled(92);
    int pathWidth = std::max(Scaled(80), static_cast<int>(client.cx) - pathLeft - info - Scaled(12));
    SrcFileDisp.SetBounds(pathLeft, Scaled(8), pathWidth, Scaled(17));
    DesFileDisp.SetBounds(pathLeft, Scaled(28), pathWidth, Scaled(17));
    SrcFileDisp.UpdateShownText();
    DesFileDisp.UpdateShownText();
    SrcInfoText.SetBounds(pathLeft + pathWidth + Scaled(8), Scaled(9), info, Scaled(15));
    DesInfoText.SetBounds(pathLeft + pathWidth + Scaled(8), Scaled(29), info, Scaled(15));
    NoticeText.SetBounds(Scaled(4), Scaled(76), std::max(0L, client.cx - Scaled(8)), Scaled(16));
    DiffPanes.SetBounds(0, header, client.cx, std::max(0L, client.cy - header - footer));
    FooterPanel.SetBounds(0, client.cy - footer, client.cx, footer);
    // The buttons as one group, centred as the other windows centre theirs.
    int group = 5 * Scaled(ButtonWidth) + 4 * Scaled(ButtonGap);
    int left = (Width() - group) / 2;
    for (Button* button : {&PrevButton, &NextButton, &SaveButton, &TrelkDispButton, &OKButton}) {
        button->SetBounds(left, Scaled(4), Scaled(ButtonWidth), Scaled(25));
        left += Scaled(ButtonWidth) + Scaled(ButtonGap);
    }
}

std::string TTextDiffDlg::InfoText(const TextFile& file) const
{
    if (file.IsBinary()) return "バイナリ  " + Grouped(file.Bytes.Size()) + " バイト";
    return EncodingName(file.Encoding) + "  " + EndingStyleName(file.Endings) + "  " +
           Grouped(file.Lines.size()) + " 行";
}

void TTextDiffDlg::Fill(const FilePath& reference, const FilePath& target,
                        const TextOptions& options)
{
    referencePath_ = reference;
    targetPath_ = target;
    SrcFileDisp.SetCaption(reference.Text, ShownPathForm(reference.Real));
    DesFileDisp.SetCaption(target.Text, ShownPathForm(target.Real));
    Load(reference, Reference);
    Load(target, Target);
    SrcInfoText.SetText(InfoText(Reference));
    DesInfoText.SetText(InfoText(Target));
    storageNotice_ = IsBinaryPair() ? "" : StorageOnlyNotice(CompareLikeness(Reference, Target));
    Options = options;
    for (int i = 0; i < TextOptionCount; ++i)
        OptionChkBoxes[i].SetChecked(OptionAt(options, i));
    Compare();
    DiffPanes.GoToRow(0);
    DiffPanes.GoToNextDifference();
    // The first change may stand on the first row.
    if (Rows.HunkCount() > 0 && !Rows.Hunk(0).Ignored && Rows.FirstRowOf(0) == 0)
        DiffPanes.GoToRow(0);
}

void TTextDiffDlg::Compare()
{
    const bool binary = IsBinaryPair();
    Diff = binary ? TextDiffResult{} : DiffTextFiles(Reference, Target, Options);
    Rows = binary ? DiffRows{}
                  : DiffRows(Diff, Reference.Lines.size(), Target.Lines.size(),
                             LayOutHunks(Reference, Target, Diff, Options));
    DiffPanes.Show(binary ? nullptr : &Reference, binary ? nullptr : &Target, &Rows, Options);
    for (CheckBox& box : OptionChkBoxes)
        box.SetEnabled(!binary);
    TrelkDispButton.SetEnabled(binary);
    SaveButton.SetEnabled(!binary && Diff.ChangedHunks() > 0);
    PrevButton.SetEnabled(Diff.ChangedHunks() > 0);
    NextButton.SetEnabled(Diff.ChangedHunks() > 0);
    ShowNotice();
}

void TTextDiffDlg::ShowNotice()
{
    if (IsBinaryPair()) {
        NoticeText.SetText("バイナリファイルのため、テキストとしては比較できません。"
                           "バイト表示で相違バイトを確認できます。");
        return;
    }
    const std::string& notice = storageNotice_;
    size_t changes = Diff.ChangedHunks();
    std::string count;
    if (changes == 0) {
        count = Options.Any() ? "無視する違いのほかに相違はありません。" : "相違はありません。";
    } else {
        count = "相違 " + Grouped(changes) + " か所";
        size_t hunk = Rows.Count() ? Rows.At(DiffPanes.CurrentRow()).Hunk : DiffRow::NoLine;
        if (hunk != DiffRow::NoLine && !Rows.Hunk(hunk).Ignored) {
            size_t index = 0;
            for (size_t k = 0; k <= hunk; ++k)
                index += !Rows.Hunk(k).Ignored;
            count += "（" + Grouped(index) + " 番目）";
        }
    }
    std::string text = notice.empty() ? count : notice + "。" + count;
    if (Diff.Approximate) text += "　変更が多いため、一部は最短の差分ではありません（近似）。";
    NoticeText.SetText(text);
}

bool TTextDiffDlg::FormKeyPreview(const MSG& msg)
{
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_F7 || msg.wParam == VK_F8)) {
        msg.wParam == VK_F7 ? PrevButtonClick() : NextButtonClick();
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN && (msg.wParam == VK_UP || msg.wParam == VK_DOWN)) {
        msg.wParam == VK_UP ? PrevButtonClick() : NextButtonClick();
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
        msg.hwnd == DiffPanes.Handle) {
        CopySelection();
        return true;
    }
    return false;
}

void TTextDiffDlg::OptionChkBoxClick()
{
    TextOptions chosen;
    for (int i = 0; i < TextOptionCount; ++i)
        OptionAt(chosen, i) = OptionChkBoxes[i].Checked();
    if (chosen == Options || IsBinaryPair()) return;
    // The same line stays current under the new rules.
    size_t row = DiffPanes.CurrentRow();
    DiffRow shown = Rows.Count() ? Rows.At(row) : DiffRow{};
    Options = chosen;
    Compare();
    if (shown.Left != DiffRow::NoLine)
        DiffPanes.GoToRow(Rows.RowOfLine(0, shown.Left));
    else if (shown.Right != DiffRow::NoLine)
        DiffPanes.GoToRow(Rows.RowOfLine(1, shown.Right));
}

void TTextDiffDlg::PrevButtonClick()
{
    DiffPanes.GoToPreviousDifference();
}

void TTextDiffDlg::NextButtonClick()
{
    DiffPanes.GoToNextDifference();
}

void TTextDiffDlg::TrelkDispButtonClick()
{
    if (OnByteView) OnByteView();
}

void TTextDiffDlg::OKButtonClick()
{
    ModalResult = mrOK;
}

void TTextDiffDlg::DiffPanesPositionChanged()
{
    ShowNotice();
}

void TTextDiffDlg::CopySelection()
{
    std::wstring text = DiffPanes.SelectedText();
    if (!text.empty()) PutTextOnClipboard(Handle, CodePageText(text), text);
}
