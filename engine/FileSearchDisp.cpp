#include "engine/FileSearchDisp.h"

namespace {
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
    args.FontFace = "ＭＳ Ｐゴシック";
    return CreateForm(args);
}

void TFileSearchDispDlg::FormCreate()
{
    SearchingLabel.Create(Handle, "ファイルを検索中...", 8, 6, ClientWidth - 16, 16,
                          TextAlign::Center);
    FileNumDisp.Create(Handle, "0", 8, 24, ClientWidth - 16, 16, TextAlign::Center);
    ProgBar.Create(Handle, 8, 46, ClientWidth - 16, 16, 0, 100);
}
