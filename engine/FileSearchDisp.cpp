#include "engine/FileSearchDisp.h"

namespace {
HFONT FormFont()
{
    static HFONT font = CreateFontPixels("ＭＳ Ｐゴシック", 12);
    return font;
}

constexpr int ClientWidth = 353;
constexpr int ClientHeight = 70;
} // namespace

bool TFileSearchDispDlg::Create()
{
    FormArgs args;
    args.Caption = "ファイルの検索";
    args.Width = ClientWidth;
    args.Height = ClientHeight;
    args.Buttons = TitleButtons::None;
    args.TopMost = true;
    args.Centered = true;
    args.Font = FormFont();
    return CreateForm(args);
}

void TFileSearchDispDlg::FormCreate()
{
    SearchingLabel.Create(Handle, "ファイルを検索中...", 8, 6, ClientWidth - 16, 16,
                          TextAlign::Center);
    FileNumDisp.Create(Handle, "0", 8, 24, ClientWidth - 16, 16, TextAlign::Center);
    ProgBar.Create(Handle, 8, 46, ClientWidth - 16, 16, 0, 100);
}
