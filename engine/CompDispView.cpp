#include "engine/CompDispView.h"

namespace {
void SetChanged(Control& control, std::string& last, const std::string& text)
{
    if (text == last) return;
    last = text;
    control.SetText(text);
}

void SetChanged(TEllipsisText& label, std::string& last, const std::string& path)
{
    if (path == last) return;
    last = path;
    label.SetCaption(path);
}

void SetChanged(ProgressBar& bar, int& last, int position)
{
    if (position == last) return;
    last = position;
    bar.SetPosition(position);
}
} // namespace

CompDispView::~CompDispView()
{
    CloseView();
}

void CompDispView::Open()
{
    Dialog = std::make_unique<TCompDispDlg>();
    Dialog->Create();
    // The window starts empty, with both bars at 0 and the label at "0%".
    src_ = des_ = fileNum_ = notSame_ = "";
    progDisp_ = "0%";
    compBar_ = progressBar_ = 0;
}

void CompDispView::EnableProgTimer(bool enabled)
{
    if (Dialog) Dialog->ProgTimeTimer.SetEnabled(enabled);
}

void CompDispView::SetProgTimeText(const std::string& text)
{
    if (Dialog) Dialog->ProgTimeSText.SetText(text);
}

void CompDispView::ShowView()
{
    if (Dialog) Dialog->Show();
}

void CompDispView::SetSrcFileDisp(const std::string& path)
{
    if (Dialog) SetChanged(Dialog->SrcFileDisp, src_, path);
}

void CompDispView::SetDesFileDisp(const std::string& path)
{
    if (Dialog) SetChanged(Dialog->DesFileDisp, des_, path);
}

void CompDispView::SetFileNumText(const std::string& text)
{
    if (Dialog) SetChanged(Dialog->FileNumSText, fileNum_, text);
}

void CompDispView::SetNotSameFileText(const std::string& text)
{
    if (Dialog) SetChanged(Dialog->NotSameFileSText, notSame_, text);
}

void CompDispView::SetCompFileNumProgBar(int percent)
{
    if (Dialog) SetChanged(Dialog->CompFileNumProgBar, compBar_, percent);
}

bool CompDispView::CancelRequested()
{
    return Dialog && Dialog->CancelChkBox.Checked();
}

void CompDispView::CloseView()
{
    Dialog.reset();
}

void CompDispView::SetProgressBar(int percent)
{
    if (Dialog) SetChanged(Dialog->ProgressBar, progressBar_, percent);
}

void CompDispView::SetProgDisp(const std::string& text)
{
    if (Dialog) SetChanged(Dialog->ProgDisp, progDisp_, text);
}
