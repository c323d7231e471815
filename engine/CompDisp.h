#pragma once
#include "shellviews/EllipsisText.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Timer.h"

#include <string>

// Time of day at which the comparison progress window was created (fraction of a day).
extern double StartTime;

// The current local time of day as a fraction of a day.
double TimeOfDay();
// An elapsed span of days as "h:mm:ss"; a span across midnight counts on from 24 hours.
std::string ElapsedText(double days);

// The comparison progress window: paths, counts, elapsed time, both bars and the
// cancel button. It is shown without being modal while the loop runs.
struct TCompDispDlg : Form {
    Panel FilePanel, CountPanel, ProgressPanel;
    Label SrcFileLabel, DesFileLabel;
    TEllipsisText SrcFileDisp, DesFileDisp;
    Label FileNumLabel, NotSameFileLabel, ProgTimeLabel;
    Label FileNumSText, NotSameFileSText, ProgTimeSText;
    Label CompFileNumLabel, ProgressLabel;
    ::ProgressBar CompFileNumProgBar;
    ::ProgressBar ProgressBar;
    Label ProgDisp;
    Button CancelButton;
    CheckBox CancelChkBox; // never visible: carries the request from the button to the loop
    Timer ProgTimeTimer;

    // Creates the window hidden; FormCreate sets StartTime.
    bool Create();

    void FormCreate() override;
    // The close box only hides the window: the run goes on and destroys it at its end.
    void FormClose() override;
    // Escape asks for the cancel, as the button does.
    bool MenuCommand(WORD id) override;
    void CancelButtonClick();
    void ProgTimeTimerTimer();
};
