#include "settings/EnvReg.h"

#include "settings/EnvSettings.h"
#include "settings/MaskProblem.h"
#include "settings/RegistryStore.h"
#include "toolkit/CodePage.h"

namespace {
const char* const Section = "Environment";
// The masks stand in one string value, split where no name can hold the character. The
// value is read and split as UTF-16: in Shift-JIS "|" is also a trail byte (ポ is 83 7C).
const wchar_t MaskSeparator = L'|';
// The text options' values, in the order of TextOptionIndex.
const char* const TextIgnoreNames[TextOptionCount] = {
    "TextIgnoreEol",  "TextIgnoreSpace", "TextIgnoreAllSpace", "TextIgnoreBlank",
    "TextIgnoreCase", "TextIgnoreWidth", "TextIgnoreKana"};

// A newer option goes in once it leaves its default, so the key of a user who never
// touched it holds what it always held.
void WriteBoolOnceChanged(const char* name, bool value, bool defaultValue)
{
    if (value != defaultValue || ValueExists(Section, name)) WriteBool(Section, name, value);
}

// The masks of the stored text; problem tells the first piece that is no mask.
std::vector<std::wstring> SplitMasks(const std::wstring& text, std::string& problem)
{
    std::vector<std::wstring> masks;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(MaskSeparator, start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring mask = text.substr(start, end - start);
        start = end + 1;
        if (mask.empty()) continue;
        std::string why = MaskProblem(mask);
        if (why.empty())
            masks.push_back(mask);
        else if (problem.empty())
            problem = "「" + CodePageText(mask) + "」: " + why;
    }
    return masks;
}

std::wstring JoinMasks(const std::vector<std::wstring>& masks)
{
    std::wstring text;
    for (const std::wstring& mask : masks) {
        if (!text.empty()) text += MaskSeparator;
        text += mask;
    }
    return text;
}

// The masks as stored; a value that is no text, or pieces that are no masks, are told
// in StoredMasksProblem and the value is kept as it is.
void LoadMasks(TEnvSettings& s)
{
    s.ExcludeMasks.clear();
    s.StoredMasksProblem.clear();
    std::wstring stored;
    if (ReadRealString(Section, "ExcludeMasks", stored))
        s.ExcludeMasks = SplitMasks(stored, s.StoredMasksProblem);
    else if (ValueExists(Section, "ExcludeMasks"))
        s.StoredMasksProblem = "文字列ではない値です。";
}
} // namespace

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
    s.TargetOnly = ReadBool(Section, "TargetOnly", false);
    s.CsvValueColumns = ReadBool(Section, "CsvValueColumns", false);
    s.ExcludeFlag = ReadBool(Section, "ExcludeFlag", false);
    LoadMasks(s);
    s.TextRule = ReadBool(Section, "TextRule", false);
    for (int i = 0; i < TextOptionCount; ++i)
        OptionAt(s.TextIgnore, i) = ReadBool(Section, TextIgnoreNames[i], false);
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
    // The newer options go in once they leave their defaults, so the key of a user who
    // never touched them holds what it always held.
    if (s.TargetOnly || ValueExists(Section, "TargetOnly"))
        WriteBool(Section, "TargetOnly", s.TargetOnly);
    if (s.CsvValueColumns || ValueExists(Section, "CsvValueColumns"))
        WriteBool(Section, "CsvValueColumns", s.CsvValueColumns);
    if (s.ExcludeFlag || ValueExists(Section, "ExcludeFlag"))
        WriteBool(Section, "ExcludeFlag", s.ExcludeFlag);
    if (s.StoredMasksProblem.empty() &&
        (!s.ExcludeMasks.empty() || ValueExists(Section, "ExcludeMasks")))
        WriteRealString(Section, "ExcludeMasks", JoinMasks(s.ExcludeMasks));
    WriteBoolOnceChanged("TextRule", s.TextRule, false);
    for (int i = 0; i < TextOptionCount; ++i)
        WriteBoolOnceChanged(TextIgnoreNames[i], OptionAt(s.TextIgnore, i), false);
}

std::string StoredMasksNotice()
{
    if (EnvSettings.StoredMasksProblem.empty()) return {};
    return "保存されている比較対象外のマスクを読み込めませんでした。\r\n" +
           EnvSettings.StoredMasksProblem +
           "\r\n保存されている値はそのまま残し、読み込めたマスクだけを使います。";
}
