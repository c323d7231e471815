// The result window's テキスト比較, and its double-click that picks the text view for a
// text pair and the byte view for a binary one.
#include "engine/TextRuleCheck.h"
#include "results/Result.h"
#include "results/TextDiffDlg.h"
#include "settings/EnvSettings.h"
#include "toolkit/MessageBoxes.h"

namespace {
void ShowTextDifferences(HWND owner, const FilePath& reference, const FilePath& target)
{
    TTextDiffDlg view;
    if (!view.Open(owner)) return;
    try {
        view.Fill(reference, target, EnvSettings.TextIgnore);
    } catch (const IoFailure& failure) {
        view.Destroy();
        ReportIoError(failure.Code);
        return;
    }
    view.OnByteView = [&] { ShowByteDifferences(view.Handle, reference, target); };
    view.ShowModal();
    // The view's options are the run's text rule too: one rule for both.
    EnvSettings.TextIgnore = view.Options;
}
} // namespace

void TResultDlg::TextDiffButtonClick()
{
    FilePath reference, target;
    if (SelectedPair(reference, target)) ShowTextDifferences(Handle, reference, target);
}

void TResultDlg::OpenSelectedPair()
{
    FilePath reference, target;
    if (!SelectedPair(reference, target)) return;
    if (IsBinaryFile(reference) || IsBinaryFile(target))
        ShowByteDifferences(Handle, reference, target);
    else
        ShowTextDifferences(Handle, reference, target);
}
