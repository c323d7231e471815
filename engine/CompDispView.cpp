#include "engine/CompDispView.h"

#include "toolkit/Application.h"
#include "toolkit/Pump.h"

namespace {
void SetChanged(Control& control, std::string& last, const std::string& text)
{
    if (text == last) return;
    last = text;
    control.SetText(text);
}

void SetChanged(TEllipsisText& label, std::string& last, std::wstring& lastReal,
                const std::string& path, const std::wstring& real)
{
    if (path == last && real == lastReal) return;
    last = path;
    lastReal = real;
    label.SetCaption(path, real);
}

void SetChanged(ProgressBar& bar, int& last, int position)
{
    if (position == last) return;
    last = position;
    bar.SetPosition(position);
}
} // namespace

constexpr unsigned long long FlushIntervalMs = 20;

void CompDispView::Flush(bool force)
{
    if (!Dialog) return;
    unsigned long long now = GetTickCount64();
    if (!force && now - lastFlush_ < FlushIntervalMs) return;
    lastFlush_ = now;
    SetChanged(Dialog->SrcFileDisp, src_, srcReal_, pendingSrc_, pendingSrcReal_);
    SetChanged(Dialog->DesFileDisp, des_, desReal_, pendingDes_, pendingDesReal_);
    SetChanged(Dialog->FileNumSText, fileNum_, pendingFileNum_);
    SetChanged(Dialog->NotSameFileSText, notSame_, pendingNotSame_);
    SetChanged(Dialog->ProgressBar, progressBar_, pendingProgressBar_);
    SetChanged(Dialog->ProgDisp, progDisp_, pendingProgDisp_);
}

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
    pendingSrc_ = pendingDes_ = pendingFileNum_ = pendingNotSame_ = "";
    srcReal_ = desReal_ = pendingSrcReal_ = pendingDesReal_ = L"";
    pendingProgDisp_ = "0%";
    pendingProgressBar_ = 0;
    lastFlush_ = 0;
    progDisp_ = "0%";
    compBar_ = progressBar_ = 0;
    EnableMainWindow(false);
    mainDisabled_ = true;
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
    Flush(true);
    if (Dialog) Dialog->Show();
    ProcessMessages();
    // Painted whole once more now that the window is up: under Wine the first paint can
    // miss the screen, and a short run would leave the window blank to its end.
    if (Dialog)
        RedrawWindow(Dialog->Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ProcessMessages();
}

void CompDispView::SetSrcFileDisp(const std::string& path)
{
    SetSrcFilePath(path);
}

void CompDispView::SetDesFileDisp(const std::string& path)
{
    SetDesFilePath(path);
}

void CompDispView::SetSrcFilePath(const FilePath& path)
{
    pendingSrc_ = path.Text;
    pendingSrcReal_ = ShownPathForm(path.Real);
}

void CompDispView::SetDesFilePath(const FilePath& path)
{
    pendingDes_ = path.Text;
    pendingDesReal_ = ShownPathForm(path.Real);
}

void CompDispView::SetFileNumText(const std::string& text)
{
    pendingFileNum_ = text;
    Flush(false);
}

void CompDispView::SetNotSameFileText(const std::string& text)
{
    pendingNotSame_ = text;
    Flush(false);
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
    // The main window takes input again first, so that it gets the activation back
    // when the progress window goes.
    if (mainDisabled_) EnableMainWindow(true);
    mainDisabled_ = false;
    Dialog.reset();
}

void CompDispView::AtFixedPoint()
{
    PumpAtFixedPoint();
}

void CompDispView::SetProgressBar(int percent)
{
    pendingProgressBar_ = percent;
    Flush(false);
}

void CompDispView::SetProgDisp(const std::string& text)
{
    pendingProgDisp_ = text;
    Flush(false);
}
