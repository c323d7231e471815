#include "settings/EnvSet.h"

#include "settings/MaskProblem.h"
#include "toolkit/Hint.h"
#include "toolkit/InputQuery.h"

#include <mmsystem.h>

namespace {
const char* const DialogFontFace = "ＭＳ Ｐゴシック";

LOGFONTA DefaultPreviewFont()
{
    LOGFONTA font{};
    font.lfHeight = -PointsToPixels(9, SystemDpi());
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(font.lfFaceName, DialogFontFace, LF_FACESIZE);
    return font;
}

// A small green "play" triangle on the button face, drawn at the size the DPI asks for
// (16 x 16 at 96 dpi).
HBITMAP MakePlayPicture(int size)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    HGDIOBJ oldBrush = SelectObject(dc, green);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    auto at = [size](int units) { return MulDiv(units, size, 16); };
    POINT triangle[3] = {{at(4), at(2)}, {at(12), at(8)}, {at(4), at(14)}};
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, old);
    DeleteObject(green);
    DeleteDC(dc);
    return picture;
}

void PlayWaveAsync(const std::string& fileName)
{
    sndPlaySoundA(fileName.c_str(), SND_ASYNC);
}
} // namespace

TEnvSetDlg::TEnvSetDlg() : TreeFont(DefaultPreviewFont()), ListFont(DefaultPreviewFont())
{
    PlayWave = PlayWaveAsync;
    WaveFileRefDlg.Filter = "WAVファイル|*.wav|すべてのファイル|*.*";
}

TEnvSetDlg::~TEnvSetDlg()
{
    Destroy();
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(treeFont_),
                           static_cast<HGDIOBJ>(listFont_), static_cast<HGDIOBJ>(playPicture_)})
        if (object) DeleteObject(object);
}

bool TEnvSetDlg::Create(HWND owner)
{
    FormArgs args;
    args.Caption = "環境設定";
    // Wider than designed by the room the buttons' captions need.
    args.Width = 486;
    args.Height = 371;
    args.Buttons = TitleButtons::CloseOnly;
    args.Centered = true;
    args.FontFace = DialogFontFace;
    args.Owner = owner;
    return CreateForm(args);
}

void TEnvSetDlg::FormCreate()
{
    PageCtl.Create(Handle, 8, 8, 470, 324);
    PageCtl.AddTab("画面");
    PageCtl.AddTab("サウンド");
    PageCtl.AddTab("比較");
    PageCtl.OnChange = [this] { ShowPage(); };
    CreateDisplayPage();
    CreateSoundPage();
    CreateCompPage();

    OKButton.Create(Handle, "OK", 302, 340, 75, 25, true);
    OKButton.OnClick = [this] { ModalResult = mrOK; };
    CancelButton.Create(Handle, "キャンセル(&C)", 383, 340, 95, 25);
    CancelButton.OnClick = [this] { ModalResult = mrCancel; };
    DefaultButtonId = OKButton.Id();
    // The pages lie over the tab strip, so the strip goes below them (and last in the
    // tab order, as in the platform's own property sheets).
    SetWindowPos(PageCtl.Handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    SoundChkBoxClick();
    FontColorTView.ExpandAll();
    PageCtl.SetSelectedIndex(0);
}

void TEnvSetDlg::CreateDisplayPage()
{
    RECT page = PageCtl.PageRect();
    Panel& p = DisplayTabSheet;
    p.Create(Handle, 0, 0, 0, 0);
    p.SetBounds(page.left, page.top, page.right - page.left, page.bottom - page.top);
    GroupBox1.Create(p.Handle, "フォントと色", 8, 4, 444, 124);
    FontColorTView.Create(p.Handle, 18, 22, 132, 96);
    FontColorTView.AddNode("ﾃﾞｽｸﾄｯﾌﾟ", false);
    FontColorTView.AddNode("ﾏｲ ｺﾝﾋﾟｭｰﾀ", true);
    FontColorTView.AddNode("ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ", true);
    FontColorTView.AddNode("ごみ箱", true);
    FontColorLView.Create(p.Handle, 156, 22, 288, 60);
    FontColorLView.AddColumn("名前", 90);
    FontColorLView.AddColumn("ｻｲｽﾞ", 50);
    FontColorLView.AddColumn("ﾌｧｲﾙの種類", 60);
    FontColorLView.AddColumn("更新日時", 60);
    const std::string row[] = {"Trelk32.exe", "127k", "ｱﾌﾟﾘｹｰｼｮﾝ", "99/07/13"};
    FontColorLView.AddRow(row, 4);
    FontRefButton.Create(p.Handle, "フォント(&F)...", 156, 92, 92, 25);
    ColorRefButton.Create(p.Handle, "文字色(&C)...", 254, 92, 92, 25);
    BColorRefButton.Create(p.Handle, "背景色(&B)...", 352, 92, 92, 25);
    FontRefButton.OnClick = [this] { FontRefButtonClick(); };
    ColorRefButton.OnClick = [this] { ColorRefButtonClick(); };
    BColorRefButton.OnClick = [this] { BColorRefButtonClick(); };

    FLResizeChkBox.Create(p.Handle, "フォルダリストのサイズ変更時に基準、対象共に同期させる", 12,
                          138, 410, 18);
    AllSlctChkBox.Create(p.Handle, "起動時にすべて選択する", 12, 160, 410, 18);
    DragDropChkBox.Create(p.Handle, "ドラッグ&&ドロップを受け付ける", 12, 182, 410, 18);
}

void TEnvSetDlg::CreateSoundPage()
{
    RECT page = PageCtl.PageRect();
    Panel& p = SoundTabSheet;
    p.Create(Handle, 0, 0, 0, 0);
    p.SetBounds(page.left, page.top, page.right - page.left, page.bottom - page.top);
    SoundChkBox.Create(p.Handle, "比較後、サウンドを鳴らす", 12, 10, 300, 18);
    SoundChkBox.OnClick = [this] { SoundChkBoxClick(); };

    SoundPanel.Create(p.Handle, 8, 34, 420, 84, Bevel::RaisedInnerLoweredOuter);
    HWND s = SoundPanel.Handle;
    playPicture_ = MakePlayPicture(SoundPanel.Scaled(16));
    struct Row {
        Label& label;
        const char* caption;
        Edit& edit;
        Button& browse;
        Button& play;
        int top;
        const char* browseHint;
        const char* playHint;
    };
    Row rows[] = {
        {SameSoundFileLabel, "すべて一致の時：", SameSoundFileEdit, SameSoundFileRefButton,
         SameSoundPlayBitBtn, 14, "すべて一致の時のサウンドファイルを選択",
         "すべて一致の時のサウンドを再生"},
        {DiscordSoundFileLabel, "不一致がある時：", DiscordSoundFileEdit, DiscordSoundFileRefButton,
         DiscordSoundPlayBitBtn, 48, "不一致がある時のサウンドファイルを選択",
         "不一致がある時のサウンドを再生"},
    };
    for (Row& r : rows) {
        r.label.Create(s, r.caption, 10, r.top + 2, 96, 18);
        r.edit.Create(s, "", 108, r.top, 240, 22);
        r.browse.Create(s, "...", 352, r.top - 1, 26, 24);
        r.play.Create(s, "", 382, r.top - 1, 26, 24);
        SetWindowLongA(r.play.Handle, GWL_STYLE,
                       GetWindowLongA(r.play.Handle, GWL_STYLE) | BS_BITMAP);
        SendMessageA(r.play.Handle, BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(playPicture_));
        // A picture and "..." say little: both get a hint that names them.
        SetHint(r.browse.Handle, r.browseHint);
        SetHint(r.play.Handle, r.playHint);
    }
    SameSoundFileRefButton.OnClick = [this] { SameSoundFileRefButtonClick(); };
    DiscordSoundFileRefButton.OnClick = [this] { DiscordSoundFileRefButtonClick(); };
    SameSoundPlayBitBtn.OnClick = [this] { SameSoundPlayBitBtnClick(); };
    DiscordSoundPlayBitBtn.OnClick = [this] { DiscordSoundPlayBitBtnClick(); };
}

void TEnvSetDlg::CreateCompPage()
{
    RECT page = PageCtl.PageRect();
    Panel& p = CompTabSheet;
    p.Create(Handle, 0, 0, 0, 0);
    p.SetBounds(page.left, page.top, page.right - page.left, page.bottom - page.top);
    ProgTimeChkBox.Create(p.Handle, "比較時に経過時間を表示する", 12, 10, 300, 18);
    ProgTimeChkBox.OnClick = [this] { SoundChkBoxClick(); };

    TargetOnlyChkBox.Create(p.Handle, "対象のみのファイルも表示する(&T)", 12, 32, 300, 18);

    // What a run leaves out, on both sides.
    GroupBox2.Create(p.Handle, "", 8, 56, 420, 144);
    CheckBox1.Create(p.Handle, "下記のﾌｧｲﾙを比較対象外とする", 16, 66, 300, 18);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    ExtListBox.Create(p.Handle, 16, 88, 300, 104, true); // masks are kept whole
    Button1.Create(p.Handle, "追加", 330, 88, 75, 25);
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(p.Handle, "削除", 330, 118, 75, 25);
    Button2.OnClick = [this] { Button2Click(); };
    CheckBox1Click();
    CreateTextRuleControls(p.Handle, 206);
}

void TEnvSetDlg::ShowPage()
{
    int index = PageCtl.SelectedIndex();
    Panel* pages[] = {&DisplayTabSheet, &SoundTabSheet, &CompTabSheet};
    for (int i = 0; i < 3; ++i)
        pages[i]->SetVisible(i == index);
}

void TEnvSetDlg::ApplyPreviewLooks()
{
    if (treeFont_) DeleteObject(treeFont_);
    if (listFont_) DeleteObject(listFont_);
    treeFont_ = CreateFontIndirectA(&TreeFont);
    listFont_ = CreateFontIndirectA(&ListFont);
    FontColorTView.SetFont(treeFont_);
    FontColorLView.SetFont(listFont_);
    FontColorTView.SetColors(TreeBackColor, TreeTextColor);
    FontColorLView.SetColors(ListBackColor, ListTextColor);
    FontColorLView.FitColumns();
}

void TEnvSetDlg::FormDpiChanged(UINT oldDpi)
{
    // The previews keep their points; the play picture is drawn again at the new size.
    for (LOGFONTA* font : {&TreeFont, &ListFont})
        font->lfHeight = MulDiv(font->lfHeight, Dpi, oldDpi);
    ApplyPreviewLooks();
    HBITMAP old = playPicture_;
    playPicture_ = MakePlayPicture(Scaled(16));
    for (Button* play : {&SameSoundPlayBitBtn, &DiscordSoundPlayBitBtn})
        SendMessageA(play->Handle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(playPicture_));
    if (old) DeleteObject(old);
    PlaceTextIgnoreBoxes();
}

bool TEnvSetDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam) ApplyPreviewLooks();
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // The sound edits follow the enabling rule: window colour or button face.
        HWND from = reinterpret_cast<HWND>(lParam);
        if (from != SameSoundFileEdit.Handle && from != DiscordSoundFileEdit.Handle) return false;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(soundEditColor_));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(from) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(soundEditColor_));
        return true;
    }
    }
    return false;
}

void TEnvSetDlg::SoundChkBoxClick()
{
    bool enabled = SoundChkBox.Checked();
    Control* sound[] = {&SameSoundFileLabel,        &SameSoundFileEdit,     &SameSoundFileRefButton,
                        &SameSoundPlayBitBtn,       &DiscordSoundFileLabel, &DiscordSoundFileEdit,
                        &DiscordSoundFileRefButton, &DiscordSoundPlayBitBtn};
    for (Control* c : sound)
        c->SetEnabled(enabled);
    soundEditColor_ = enabled ? COLOR_WINDOW : COLOR_BTNFACE;
    InvalidateRect(SameSoundFileEdit.Handle, nullptr, TRUE);
    InvalidateRect(DiscordSoundFileEdit.Handle, nullptr, TRUE);
}

void TEnvSetDlg::BrowseWaveFile(Edit& edit)
{
    WaveFileRefDlg.FileName = edit.Text();
    if (WaveFileRefDlg.Execute(Handle)) edit.SetText(WaveFileRefDlg.FileName);
}

void TEnvSetDlg::SameSoundFileRefButtonClick()
{
    BrowseWaveFile(SameSoundFileEdit);
}

void TEnvSetDlg::DiscordSoundFileRefButtonClick()
{
    BrowseWaveFile(DiscordSoundFileEdit);
}

void TEnvSetDlg::SameSoundPlayBitBtnClick()
{
    if (PlayWave) PlayWave(SameSoundFileEdit.Text());
}

void TEnvSetDlg::DiscordSoundPlayBitBtnClick()
{
    if (PlayWave) PlayWave(DiscordSoundFileEdit.Text());
}

void TEnvSetDlg::FontRefButtonClick()
{
    FontDlg.Font = TreeFont;
    if (!FontDlg.Execute(Handle)) return;
    TreeFont = ListFont = FontDlg.Font;
    ApplyPreviewLooks();
}

void TEnvSetDlg::ColorRefButtonClick()
{
    ColorDlg.Color = PlainColor(TreeTextColor);
    if (!ColorDlg.Execute(Handle)) return;
    TreeTextColor = ListTextColor = ColorDlg.Color;
    ApplyPreviewLooks();
}

void TEnvSetDlg::BColorRefButtonClick()
{
    ColorDlg.Color = PlainColor(TreeBackColor);
    if (ColorDlg.Execute(Handle)) {
        TreeBackColor = ListBackColor = ColorDlg.Color;
        ApplyPreviewLooks();
    }
    FontColorTView.ExpandAll();
}

void TEnvSetDlg::CheckBox1Click()
{
    bool enabled = CheckBox1.Checked();
    for (Control* c : {static_cast<Control*>(&ExtListBox), static_cast<Control*>(&Button1),
                       static_cast<Control*>(&Button2)})
        c->SetEnabled(enabled);
}

const char* const ExcludeMaskPrompt =
    "ファイル名かワイルドカード（フォルダは末尾に \\ を付ける）：\r\n"
    "例：　*.obj　　Thumbs.db　　bin\\";

void TEnvSetDlg::Button1Click()
{
    std::wstring mask;
    if (!InputQuery(Handle, "比較対象外の追加", ExcludeMaskPrompt, mask, MaskProblem))
        return;
    for (int i = 0; i < ExtListBox.Count(); ++i)
        if (ExtListBox.WideItem(i) == mask) {
            ExtListBox.SetSelectedIndex(i);
            return;
        }
    ExtListBox.AddItem(mask);
    ExtListBox.SetSelectedIndex(ExtListBox.Count() - 1);
}

void TEnvSetDlg::Button2Click()
{
    int index = ExtListBox.SelectedIndex();
    if (index < 0) return;
    ExtListBox.DeleteItem(index);
    int count = ExtListBox.Count();
    if (count > 0) ExtListBox.SetSelectedIndex(index < count ? index : count - 1);
}

void TEnvSetDlg::SetExcludeMasks(const std::vector<std::wstring>& masks)
{
    ExtListBox.Clear();
    for (const std::wstring& mask : masks)
        ExtListBox.AddItem(mask);
}

std::vector<std::wstring> TEnvSetDlg::ExcludeMasks() const
{
    std::vector<std::wstring> masks;
    for (int i = 0; i < ExtListBox.Count(); ++i)
        masks.push_back(ExtListBox.WideItem(i));
    return masks;
}
