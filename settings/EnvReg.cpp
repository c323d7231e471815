#include "settings/EnvReg.h"

#include "settings/EnvSettings.h"
#include "settings/RegistryStore.h"

namespace {
const char* const Section = "Environment";
}

void LoadEnvironment()
{
    TEnvSettings& s = EnvSettings;
    s.DispDiscord = ReadBool(Section, "DispDiscord", true);
    s.CompDate = ReadBool(Section, "CompDate", true);
    s.CompSize = ReadBool(Section, "CompSize", true);
    s.CompContents = ReadBool(Section, "CompContents", true);
    s.DragDrop = ReadBool(Section, "DragDrop", false);
    // The two sort values keep only the low byte of what was stored.
    s.CompSort = static_cast<uint8_t>(ReadInteger(Section, "CompSort", 0));
    s.CompSortKind = static_cast<uint8_t>(ReadInteger(Section, "CompSortKind", 0));
    s.FolderListResize = ReadBool(Section, "FolderListResize", false);
    s.AllSelect = ReadBool(Section, "AllSelect", false);
    s.SoundFlag = ReadBool(Section, "SoundFlag", false);
    s.SameSoundFileName = ReadString(Section, "SameSoundFileName", "");
    s.DiscordSoundFileName = ReadString(Section, "DiscordSoundFileName", "");
    s.ProgTime = ReadBool(Section, "ProgTime", true);
}

void SaveEnvironment()
{
    const TEnvSettings& s = EnvSettings;
    WriteBool(Section, "DispDiscord", s.DispDiscord);
    WriteBool(Section, "CompDate", s.CompDate);
    WriteBool(Section, "CompSize", s.CompSize);
    WriteBool(Section, "CompContents", s.CompContents);
    WriteInteger(Section, "CompSort", s.CompSort);
    WriteInteger(Section, "CompSortKind", s.CompSortKind);
    WriteBool(Section, "FolderListResize", s.FolderListResize);
    WriteBool(Section, "AllSelect", s.AllSelect);
    WriteBool(Section, "DragDrop", s.DragDrop);
    WriteBool(Section, "SoundFlag", s.SoundFlag);
    WriteString(Section, "SameSoundFileName", s.SameSoundFileName);
    WriteString(Section, "DiscordSoundFileName", s.DiscordSoundFileName);
    WriteBool(Section, "ProgTime", s.ProgTime);
}
