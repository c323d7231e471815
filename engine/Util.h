#pragma once
// The comparison engine's unit: records, path routines, collection and pair checks.
#include "engine/Collection.h"
#include "engine/FileEntries.h"
#include "engine/FilePath.h"
#include "engine/PairChecks.h"

#include <string>

// folder + name, with exactly one "\" between; "" when folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);
// "C:" of a caption such as "ローカル ディスク (C:)"; "" when there is no ":" past byte 1.
std::string DriveOfCaption(const std::string& caption);
// True for a folder, and for a path whose attributes cannot be read.
bool IsFolderPath(const FilePath& path);
// True for the half-width display names of the desktop, computer, network and bin.
bool IsSpecialFolderName(const std::string& text);
