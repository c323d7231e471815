// The 比較 page's text rule: whether the contents check reads text pairs as text, and the
// differences it (and the text view) ignores.
#include "settings/EnvSet.h"


namespace {
const int RuleLeft = 28, RuleRight = 424, RowHeight = 20;
} // namespace

void TEnvSetDlg::CreateTextRuleControls(HWND page, int top)
{
    textRuleTop_ = top;
    TextRuleGroupBox.Create(page, "", 8, top, 420, 76);
    TextRuleChkBox.Create(page, "テキストファイルは下記の違いを無視して比較する(&X)", 16, top + 10,
                          420, 18);
    for (int i = 0; i < TextOptionCount; ++i)
        TextIgnoreChkBoxes[i].Create(page, OptionCaption(i), RuleLeft, top + 32, 90, 18);
    PlaceTextIgnoreBoxes();
}

// The options one after the other, each as wide as its caption in the dialog's font
// needs, on as many rows as that takes.
void TEnvSetDlg::PlaceTextIgnoreBoxes()
{
    if (!TextRuleChkBox.Exists()) return;
    // The frame's line shows on after the caption, as on the group above.
    TextRuleChkBox.SetWidth(TextRuleChkBox.FittedWidth());
    int x = Scaled(RuleLeft), y = Scaled(textRuleTop_ + 32);
    for (CheckBox& box : TextIgnoreChkBoxes) {
        int width = box.FittedWidth();
        if (x > Scaled(RuleLeft) && x + width > Scaled(RuleRight)) {
            x = Scaled(RuleLeft);
            y += Scaled(RowHeight);
        }
        box.SetBounds(x, y, width, Scaled(18));
        x += width + Scaled(4);
    }
}

void TEnvSetDlg::SetTextIgnore(const TextOptions& options)
{
    for (int i = 0; i < TextOptionCount; ++i)
        TextIgnoreChkBoxes[i].SetChecked(OptionAt(options, i));
}

TextOptions TEnvSetDlg::TextIgnore() const
{
    TextOptions options;
    for (int i = 0; i < TextOptionCount; ++i)
        OptionAt(options, i) = TextIgnoreChkBoxes[i].Checked();
    return options;
}
