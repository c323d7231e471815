#pragma once
#include "engine/FileEntries.h"
#include "engine/FilePath.h"
#include "textdiff/TextRules.h"

#include <functional>

// The contents check's text rule, for a pair whose bytes differ: cvEolOnly, cvEncodingOnly
// or cvEquivalent when the texts are equal as the options read them, else cvDiffer (also
// for a binary file, and when a file cannot be mapped: its bytes still differ).
ContentsVerdict TextRuleVerdict(const FilePath& reference, const FilePath& target,
                                const TextOptions& options,
                                const std::function<void()>& atFixedPoint = {});
