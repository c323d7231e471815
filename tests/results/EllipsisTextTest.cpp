#include "shellviews/EllipsisText.h"

#include "toolkit/Form.h"

#include <gtest/gtest.h>

namespace {
std::string Numbered(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('A' + i % 26);
    return s;
}

int TextWidth(HWND window, const std::string& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}
} // namespace

TEST(ShortenedText, CutsTheMiddleByTheAverageByteWidth)
{
    const std::string s = Numbered(60);
    // a = 6, k = 11, h = 30: bytes 1..19, "...", bytes 41..60.
    EXPECT_EQ(ShortenedText(s, 360, 300), s.substr(0, 19) + "..." + s.substr(40));
    EXPECT_EQ(ShortenedText(s, 360, 300).size(), 42u);
    EXPECT_EQ(ShortenedText(s, 300, 300), s); // fits exactly
    EXPECT_EQ(ShortenedText("", 0, 10), "");
    // Very narrow label: nothing of the front is left, then nothing at all.
    EXPECT_EQ(ShortenedText(s, 600, 200), s.substr(0, 4) + "..." + s.substr(55));
    EXPECT_EQ(ShortenedText(s, 600, 120), "..." + s.substr(59));
    EXPECT_EQ(ShortenedText(s, 600, 100), "...");
    // Less than a pixel per byte: no average to divide by, shown whole.
    EXPECT_EQ(ShortenedText(s, 59, 10), s);
}

struct EllipsisForm : Form {
    TEllipsisText Label;
    void FormCreate() override { Label.Create(Handle, 8, 8, 200, 17); }
};

TEST(EllipsisLabel, ShowsShortenedTextAndKeepsTheFullCaption)
{
    EllipsisForm form;
    HFONT font = CreateFontPixels("ＭＳ Ｐゴシック", 12);
    FormArgs args;
    args.Caption = "label";
    args.Width = 400;
    args.Height = 100;
    args.Font = font;
    ASSERT_TRUE(form.CreateForm(args));
    HWND h = form.Label.Handle;
    EXPECT_EQ(form.Label.Text(), "");

    const std::string fits = "C:\\data";
    form.Label.SetCaption(fits);
    EXPECT_EQ(form.Label.Text(), fits);

    // Single-byte names: a cut inside a double-byte character would come back from the
    // window changed by the code-page round trip.
    std::string longPath = "C:\\";
    for (int i = 0; i < 12; ++i)
        longPath += "folder" + std::to_string(i) + "\\";
    longPath += "file.txt";
    form.Label.SetCaption(longPath);
    EXPECT_EQ(form.Label.Caption(), longPath);
    const int w = TextWidth(h, longPath);
    ASSERT_GT(w, 200);
    EXPECT_EQ(form.Label.Text(), ShortenedText(longPath, w, 200));
    EXPECT_NE(form.Label.Text().find("..."), std::string::npos);

    // The same caption again measures nothing: a text put in behind its back stays.
    form.Label.SetText("untouched");
    form.Label.SetCaption(longPath);
    EXPECT_EQ(form.Label.Text(), "untouched");

    // A wider label re-shortens for its new width.
    form.Label.SetWidth(380);
    EXPECT_EQ(form.Label.Text(), ShortenedText(longPath, w, 380));

    // So does a new font, measured in that font.
    HFONT big = CreateFontPixels("ＭＳ Ｐゴシック", 20);
    form.Label.SetFont(big);
    const int wBig = TextWidth(h, longPath);
    EXPECT_GT(wBig, w);
    EXPECT_EQ(form.Label.Text(), ShortenedText(longPath, wBig, 380));
    EXPECT_EQ(form.Label.Caption(), longPath);

    form.Destroy();
    DeleteObject(big);
    DeleteObject(font);
}
