#pragma once
#include "textdiff/TextFile.h"

#include <string>

// A text file read from bytes held in memory.
inline TextFile TextOf(const std::string& bytes, LineBreaks breaks = LineBreaks::Any)
{
    TextFile file;
    file.Bytes.Hold(bytes);
    ReadTextLines(file, breaks);
    return file;
}
