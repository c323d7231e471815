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

// The file reads as no text (a zero byte outside UTF-16, or no encoding reads it); a file
// that cannot be read counts as binary, so that the byte view says why.
bool IsBinaryFile(const FilePath& path);
