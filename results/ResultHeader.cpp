// The result window's header: the two folders, the counts and what the verdicts mean,
// drawn by one window and laid out from the widths of its texts.
#include "results/Result.h"
#include "shellviews/EllipsisText.h"

#include <algorithm>

namespace {
// Sizes at 96 dpi, as the boxes were first drawn.
const int Edge = 4, Gap = 3, BoxHeight = 53, FolderBoxWidth = 425, Inset = 8;
const int RowTops[2] = {8, 28};
const int CaptionDrop = 1, CaptionHeight = 15, ValueHeight = 17, ValueWidth = 45;
const int PathLeft = 96, CaptionGap = 2, ColumnGap = 10;
} // namespace

void TResultDlg::CreateHeader()
{
    HeaderBoard.Create(Handle, 0, 0, 0, 61);
    InfoBoard& b = HeaderBoard;
    Panel1 = b.AddBox();
    Label1 = b.AddText("基準フォルダ：");
    SrcFolderDisp = b.AddText("", TextAlign::Left, true);
    Label2 = b.AddText("対象フォルダ：");
    DesFolderDisp = b.AddText("", TextAlign::Left, true);
    Panel2 = b.AddBox();
    Label3 = b.AddText("対象ファイル数：");
    FileNumSText = b.AddText("0", TextAlign::Right, true);
    Label4 = b.AddText("不一致ファイル数：");
    NotSameFileSText = b.AddText("0", TextAlign::Right, true);
    Label5 = b.AddText("相違：");
    ChangedFileSText = b.AddText("0", TextAlign::Right, true);
    Label6 = b.AddText("基準のみ：");
    SrcOnlyFileSText = b.AddText("0", TextAlign::Right, true);
    Label7 = b.AddText("対象のみ：");
    DesOnlyFileSText = b.AddText("0", TextAlign::Right, true);
    Label8 = b.AddText("未比較：");
    UncomparedFileSText = b.AddText("0", TextAlign::Right, true);
    LegendLabel = b.AddText("判定は基準と比べた対象の状態です（例：新しい＝対象が新しい）");
    for (BoardPart* path : {&SrcFolderDisp, &DesFolderDisp})
        b.SetShortening(path->Index, EllipsisShownText);
}

void TResultDlg::FillHeader(const std::string& srcFolderPath, const std::string& desFolderPath,
                            const std::wstring& srcRealFolder, const std::wstring& desRealFolder)
{
    SrcFolderDisp.SetText(srcFolderPath, srcRealFolder);
    DesFolderDisp.SetText(desFolderPath, desRealFolder);
    FileNumSText.SetText(std::to_string(Counts.Files));
    NotSameFileSText.SetText(std::to_string(Counts.Mismatches));
    ChangedFileSText.SetText(std::to_string(Counts.Changed));
    SrcOnlyFileSText.SetText(std::to_string(Counts.SrcOnly));
    DesOnlyFileSText.SetText(std::to_string(Counts.DesOnly));
    UncomparedFileSText.SetText(std::to_string(Counts.Uncompared));
}

// The folders' box takes what the counts' box leaves of the width; the counts go below it
// when both do not fit side by side.
int TResultDlg::LayOutHeader(int clientWidth)
{
    InfoBoard& b = HeaderBoard;
    auto widest = [&](const BoardPart& first, const BoardPart& second) {
        return std::max(b.TextWidth(first.Text()), b.TextWidth(second.Text()));
    };
    // A caption and its value on one of a box's two rows.
    auto placeRow = [&](BoardPart& caption, BoardPart& value, int captionLeft, int valueLeft,
                        int valueRight, int boxTop, int row) {
        const int top = boxTop + Scaled(RowTops[row]);
        caption.Place({captionLeft, top + Scaled(CaptionDrop), valueLeft - Scaled(CaptionGap),
                       top + Scaled(CaptionDrop + CaptionHeight)});
        value.Place({valueLeft, top, valueRight, top + Scaled(ValueHeight)});
    };
    struct CountColumn {
        BoardPart *Caption1, *Value1, *Caption2, *Value2;
        int CaptionWidth;
    };
    CountColumn counts[] = {{&Label3, &FileNumSText, &Label4, &NotSameFileSText, 0},
                            {&Label5, &ChangedFileSText, &Label6, &SrcOnlyFileSText, 0},
                            {&Label7, &DesOnlyFileSText, &Label8, &UncomparedFileSText, 0}};
    const int valueWidth = std::max(Scaled(ValueWidth), b.TextWidth(std::string("0000000")));
    int countsWidth = Scaled(2 * Inset - ColumnGap);
    for (CountColumn& column : counts) {
        column.CaptionWidth = widest(*column.Caption1, *column.Caption2);
        countsWidth += column.CaptionWidth + Scaled(CaptionGap + ColumnGap) + valueWidth;
    }
    const bool beside = Scaled(Edge + FolderBoxWidth + Gap + Edge) + countsWidth <= clientWidth;
    const int folderWidth = beside
                                ? clientWidth - Scaled(Edge + Gap + Edge) - countsWidth
                                : std::max(Scaled(FolderBoxWidth), clientWidth - Scaled(2 * Edge));

    const RECT folders{Scaled(Edge), Scaled(Edge), Scaled(Edge) + folderWidth,
                       Scaled(Edge + BoxHeight)};
    Panel1.Place(folders);
    const int pathLeft = folders.left + std::max(Scaled(PathLeft), Scaled(Inset + CaptionGap) +
                                                                       widest(Label1, Label2));
    const int pathRight = folders.right - Scaled(Inset);
    placeRow(Label1, SrcFolderDisp, folders.left + Scaled(Inset), pathLeft, pathRight, folders.top,
             0);
    placeRow(Label2, DesFolderDisp, folders.left + Scaled(Inset), pathLeft, pathRight, folders.top,
             1);

    RECT box{};
    box.left = beside ? folders.right + Scaled(Gap) : folders.left;
    box.top = beside ? folders.top : folders.bottom + Scaled(Gap);
    box.right = box.left + countsWidth;
    box.bottom = box.top + Scaled(BoxHeight);
    Panel2.Place(box);
    int left = box.left + Scaled(Inset);
    for (CountColumn& column : counts) {
        const int valueLeft = left + column.CaptionWidth + Scaled(CaptionGap);
        placeRow(*column.Caption1, *column.Value1, left, valueLeft, valueLeft + valueWidth, box.top,
                 0);
        placeRow(*column.Caption2, *column.Value2, left, valueLeft, valueLeft + valueWidth, box.top,
                 1);
        left = valueLeft + valueWidth + Scaled(ColumnGap);
    }

    const int legendTop = box.bottom + Scaled(Edge);
    LegendLabel.Place({Scaled(Inset), legendTop, Scaled(Inset) + b.TextWidth(LegendLabel.Text()),
                       legendTop + Scaled(CaptionHeight)});
    headerHeight_ = legendTop + Scaled(CaptionHeight + Gap);
    return headerHeight_;
}
