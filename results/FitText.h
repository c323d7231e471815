#pragma once
#include "toolkit/Label.h"

// Widens a caption label to its text in its own font, up to maxWidth at 96 dpi (the gap
// before the next control), and keeps it on one line: a substituted font that runs wider than
// the designed one would otherwise wrap the closing "：" out of sight.
void FitLabelToText(Label& label, int maxWidth);
