#pragma once
#include "textdiff/TextRules.h"

#include <cstdint>
#include <string>
#include <vector>

// The program-wide settings record. Its fields carry the names of their registry values;
// the defaults are the values a first start uses.
struct TEnvSettings {
    bool DispDiscord = true;   // list only mismatching entries after a comparison
    bool CompDate = true;      // compare modification times
    bool CompSize = true;      // compare sizes
    bool CompContents = true;  // compare contents
    uint8_t CompSort = 0;      // kept for the settings dialog's hidden sort choice
    uint8_t CompSortKind = 0;
    bool FolderListResize = false;  // one pane's folder splitter moves the other's too
    bool AllSelect = false;         // select the whole reference list at start-up
    bool DragDrop = false;          // the browsing views accept dropped files
    bool SoundFlag = false;         // play a wave file at the end of a comparison
    std::string SameSoundFileName;
    std::string DiscordSoundFileName;
    bool ProgTime = true;  // show the elapsed time while comparing
    bool TargetOnly = false;               // list what only the target holds, too
    bool CsvValueColumns = false;          // the result CSV adds both sides' dates and sizes
    bool ExcludeFlag = false;              // leave out what ExcludeMasks match, on both sides
    std::vector<std::wstring> ExcludeMasks; // "*.obj", "Thumbs.db"; a trailing "\" is a folder
    // Why the stored masks could not all be read ("" when they could): the stored value
    // is then left as it is until the user changes the masks.
    std::string StoredMasksProblem;
    // The contents check of a text pair whose bytes differ reads the texts under TextIgnore
    // (the text view's options, one rule for both).
    bool TextRule = false;
    TextOptions TextIgnore;
};

extern TEnvSettings EnvSettings;
