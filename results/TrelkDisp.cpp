#include "results/TrelkDisp.h"

#include "engine/Util.h"
#include "results/FitText.h"
#include "results/Result.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Pump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Read-only, with others free to read and write meanwhile, as the in-use test opens it.
FileHandle OpenForDump(const FilePath& path)
{
    HANDLE h = OpenForReading(path, FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE) throw IoFailure{GetLastError()};
    return FileHandle(h);
}

// Fills the block as far as the file goes; fewer bytes at the end are no error.
DWORD ReadBlock(HANDLE file, uint8_t* buffer)
{
    DWORD total = 0;
    while (total < DumpBlockSize) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, DumpBlockSize - total, &got, nullptr))
            throw IoFailure{GetLastError()};
        if (got == 0) break;
        total += got;
    }
    return total;
}

const char* const InUseText = "ファイルが使用中のため、表示できません。";
} // namespace

std::string ByteDifferenceText(const ByteDifference& d, int column)
{
    char text[24];
    switch (column) {
    case bdAddress:
        std::snprintf(text, sizeof(text), "%08llX", static_cast<unsigned long long>(d.Offset));
        return text;
    case bdReferenceHex:
    case bdTargetHex:
        std::snprintf(text, sizeof(text), "%02X",
                      column == bdReferenceHex ? d.Reference : d.Target);
        return text;
    case bdReferenceDecimal:
    case bdTargetDecimal:
        std::snprintf(text, sizeof(text), "%3d",
                      column == bdReferenceDecimal ? d.Reference : d.Target);
        return text;
    case bdReferenceChar:
    case bdTargetChar: {
        uint8_t byte = column == bdReferenceChar ? d.Reference : d.Target;
        return byte ? std::string(1, static_cast<char>(byte)) : std::string();
    }
    }
    return {};
}

size_t ByteDifferenceLimit = 100000000;

ByteDifference ByteDifferenceList::operator[](size_t row) const
{
    // The block of the row: the last one that starts at or before it.
    auto block = std::upper_bound(blocks_.begin(), blocks_.end(), row,
                                  [](size_t r, const Block& b) { return r < b.FirstRow; });
    --block;
    uint32_t packed = chunks_[row / ChunkRows][row % ChunkRows];
    return {block->Offset + (packed >> 16), static_cast<uint8_t>(packed >> 8),
            static_cast<uint8_t>(packed)};
}

void ByteDifferenceList::Add(int64_t offset, uint8_t reference, uint8_t target)
{
    int64_t blockOffset = offset & ~static_cast<int64_t>(0xFFFF);
    if (blocks_.empty() || blocks_.back().Offset != blockOffset)
        blocks_.push_back({blockOffset, size_});
    if (size_ == chunks_.size() * ChunkRows)
        chunks_.push_back(std::unique_ptr<uint32_t[]>(new uint32_t[ChunkRows]));
    chunks_[size_ / ChunkRows][size_ % ChunkRows] =
        static_cast<uint32_t>(offset - blockOffset) << 16 | static_cast<uint32_t>(reference) << 8 |
        target;
    ++size_;
}

void ByteDifferenceList::clear()
{
    blocks_.clear();
    chunks_.clear();
    size_ = 0;
}

bool DumpDifferences(const FilePath& reference, const FilePath& target,
                     ByteDifferenceList& differences)
{
    FileHandle referenceFile = OpenForDump(reference);
    FileHandle targetFile = OpenForDump(target);
    std::vector<uint8_t> r(DumpBlockSize), t(DumpBlockSize);
    int64_t pos = 0;
    for (;;) {
        std::memset(r.data(), 0, r.size());
        std::memset(t.data(), 0, t.size());
        DWORD rCount = ReadBlock(referenceFile.get(), r.data());
        DWORD tCount = ReadBlock(targetFile.get(), t.data());
        DWORD m = std::max(rCount, tCount);
        if (m && std::memcmp(r.data(), t.data(), m) != 0) {
            for (DWORD i = 0; i < m; ++i) {
                if (r[i] == t[i]) continue;
                // More rows than the list can show or memory can hold: stop at the last
                // one that fits.
                if (differences.size() >= ByteDifferenceLimit) return false;
                try {
                    differences.Add(pos + i, r[i], t[i]);
                } catch (const std::bad_alloc&) {
                    return false;
                }
            }
        }
        PumpAtFixedPoint();
        if (rCount == 0 || rCount != tCount) break;
        pos += rCount;
    }
    return true;
}

TTrelkDispDlg::~TTrelkDispDlg()
{
    Destroy();
    if (font_) DeleteObject(font_);
}

bool TTrelkDispDlg::Open(HWND owner)
{
    font_ = CreateFontPixels("ＭＳ Ｐゴシック", 12);
    FormArgs args;
    args.Caption = "表示";
    args.Width = 557;
    args.Height = 355;
    args.ClientSize = false;
    args.Resizable = true;
    args.Buttons = TitleButtons::CloseOnly;
    args.Font = font_;
    args.Owner = owner;
    return CreateForm(args);
}

void TTrelkDispDlg::FormCreate()
{
    HeaderPanel.Create(Handle, 0, 0, 0, 53);
    Label1.Create(HeaderPanel.Handle, "基準ファイル：", 4, 10, 77, 12);
    SrcFileDisp.Create(HeaderPanel.Handle, 80, 8, 453, 17);
    Label2.Create(HeaderPanel.Handle, "対象ファイル：", 4, 30, 77, 12);
    DesFileDisp.Create(HeaderPanel.Handle, 80, 28, 453, 17);
    for (Label* label : {&Label1, &Label2})
        FitLabelToText(*label, 76);

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

    FooterPanel.Create(Handle, 0, 0, 0, 34);
    OKButton.Create(FooterPanel.Handle, "OK", 236, 4, 77, 25, true);
    DefaultButtonId = OKButton.Id();
    OKButton.OnClick = [this] { OKButtonClick(); };
}

void TTrelkDispDlg::FormResize()
{
    if (!OKButton.Exists()) return;
    SIZE client = ClientSize();
    HeaderPanel.SetBounds(0, 0, client.cx, 53);
    FooterPanel.SetBounds(0, client.cy - 34, client.cx, 34);
    TrelkLView.SetBounds(0, 53, client.cx, std::max(0L, client.cy - 53 - 34));
    OKButton.SetLeft((Width() - OKButton.Width()) / 2);
}

void TTrelkDispDlg::Fill(const FilePath& reference, const FilePath& target)
{
    SrcFileDisp.SetCaption(reference.Text);
    DesFileDisp.SetCaption(target.Text);
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

void TResultDlg::TrelkDispButtonClick()
{
    const FilePairEntry* row = SelectedRow();
    if (!row) return;
    // A row whose name the code page cannot hold reaches its files by the real name.
    FilePath reference = RecordPath(BasePath(SrcFolderDisp.Caption(), SrcRealFolder), row->Folder,
                                    row->Name, row->RealPath);
    FilePath target = RecordPath(BasePath(DesFolderDisp.Caption(), DesRealFolder), row->Folder,
                                 row->Name, row->RealPath);
    if (IsFileInUse(reference) || IsFileInUse(target)) {
        ShowInformation(InUseText);
        return;
    }
    TTrelkDispDlg view;
    if (!view.Open(Handle)) return;
    // The dump lets messages through; a second dump or a close meanwhile would pull
    // the rows from under it, so the result window waits.
    EnableWindow(Handle, FALSE);
    try {
        view.Fill(reference, target);
    } catch (const IoFailure& failure) {
        EnableWindow(Handle, TRUE);
        view.Destroy();
        ReportIoError(failure.Code);
        return;
    }
    EnableWindow(Handle, TRUE);
    if (!view.AllDifferencesShown)
        ShowInformation("相違バイト数が多すぎるため、最初の" +
                        std::to_string(view.Differences.size()) + "個だけを表示します。");
    view.ShowModal();
}
