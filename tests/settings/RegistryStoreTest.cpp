#include "settings/RegistryStore.h"

#include "settings/EnvReg.h"
#include "settings/EnvSettings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {
// Each test starts with no key of the program in the prefix's registry.
struct RegistryTest : ::testing::Test {
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRootPath); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRootPath); }

    static std::string SectionPath(const char* section)
    {
        return std::string(RegistryRootPath) + "\\" + section;
    }
    static void PutRaw(const char* section, const char* name, DWORD type, const void* data,
                       DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void PutText(const char* section, const char* name, const std::string& text)
    {
        PutRaw(section, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    // Type and text of a stored value; false when missing.
    static bool GetRaw(const char* section, const char* name, DWORD& type, std::string& text)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key))
            return false;
        char buffer[1024] = {};
        DWORD size = sizeof buffer - 1;
        LONG rc =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        text = buffer;
        return rc == ERROR_SUCCESS;
    }
};
} // namespace

TEST_F(RegistryTest, MissingKeySectionOrValueGivesDefaults)
{
    EXPECT_FALSE(ValueExists("Main", "Top"));
    EXPECT_EQ("none", ReadString("Main", "SrcDirectory", "none"));
    EXPECT_EQ(-7, ReadInteger("Main", "Top", -7));
    EXPECT_TRUE(ReadBool("Environment", "ProgTime", true));
    EXPECT_FALSE(ReadBool("Environment", "DragDrop", false));

    // Reading never creates a section.
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath("Main").c_str(), 0, KEY_READ, &key));

    WriteString("Main", "Other", "x");
    EXPECT_FALSE(ValueExists("Main", "Top"));
    EXPECT_EQ(5, ReadInteger("Main", "Top", 5));
    EXPECT_EQ(5, ReadInteger("Environment", "Top", 5));
}

TEST_F(RegistryTest, WritesAreStringValuesReadBackByKind)
{
    WriteInteger("Main", "ViewBColor", static_cast<int>(0x80000005u));
    WriteInteger("Main", "Top", 97);
    WriteBool("Environment", "SoundFlag", true);
    WriteBool("Environment", "DragDrop", false);
    WriteString("Main", "SrcDirectory", "C:\\表示\\ソフト\\");

    DWORD type = 0;
    std::string text;
    ASSERT_TRUE(GetRaw("Main", "ViewBColor", type, text));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ("-2147483643", text);
    ASSERT_TRUE(GetRaw("Environment", "SoundFlag", type, text));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ("1", text);
    ASSERT_TRUE(GetRaw("Environment", "DragDrop", type, text));
    EXPECT_EQ("0", text);

    EXPECT_TRUE(ValueExists("Main", "Top"));
    EXPECT_EQ(static_cast<int>(0x80000005u), ReadInteger("Main", "ViewBColor", 0));
    EXPECT_EQ(97, ReadInteger("Main", "Top", 0));
    EXPECT_TRUE(ReadBool("Environment", "SoundFlag", false));
    EXPECT_FALSE(ReadBool("Environment", "DragDrop", true));
    EXPECT_EQ("C:\\表示\\ソフト\\", ReadString("Main", "SrcDirectory", ""));

    WriteString("Main", "SrcDirectory", "");
    EXPECT_TRUE(ValueExists("Main", "SrcDirectory"));
    EXPECT_EQ("", ReadString("Main", "SrcDirectory", "default"));
}

TEST_F(RegistryTest, NumbersMustBeDecimalTextOfA32BitInteger)
{
    PutText("Environment", "B2", "2");
    PutText("Environment", "BNeg", "-1");
    PutText("Environment", "BText", "yes");
    PutText("Environment", "BEmpty", "");
    EXPECT_TRUE(ReadBool("Environment", "B2", false));
    EXPECT_TRUE(ReadBool("Environment", "BNeg", false));
    EXPECT_FALSE(ReadBool("Environment", "BText", false));
    EXPECT_TRUE(ReadBool("Environment", "BText", true));
    EXPECT_TRUE(ReadBool("Environment", "BEmpty", true));

    PutText("Main", "Min", "-2147483648");
    PutText("Main", "Max", "2147483647");
    PutText("Main", "Over", "2147483648");
    PutText("Main", "Hex", "0x10");
    PutText("Main", "Tail", "12px");
    PutText("Main", "Sign", "-");
    EXPECT_EQ(INT_MIN, ReadInteger("Main", "Min", 0));
    EXPECT_EQ(INT_MAX, ReadInteger("Main", "Max", 0));
    EXPECT_EQ(3, ReadInteger("Main", "Over", 3));
    EXPECT_EQ(3, ReadInteger("Main", "Hex", 3));
    EXPECT_EQ(3, ReadInteger("Main", "Tail", 3));
    EXPECT_EQ(3, ReadInteger("Main", "Sign", 3));
}

TEST_F(RegistryTest, OddlyStoredValuesAreReadSafely)
{
    // A string stored without its terminator, and a value of another type.
    PutRaw("Main", "NoEnd", REG_SZ, "abc", 3);
    DWORD number = 5;
    PutRaw("Main", "Dword", REG_DWORD, &number, sizeof number);
    EXPECT_EQ("abc", ReadString("Main", "NoEnd", ""));
    EXPECT_EQ(9, ReadInteger("Main", "Dword", 9));
    EXPECT_EQ("d", ReadString("Main", "Dword", "d"));

    std::string longText(5000, 'x');
    WriteString("Main", "Long", longText);
    EXPECT_EQ(longText, ReadString("Main", "Long", ""));
}

TEST_F(RegistryTest, LoadEnvironmentOnAFreshKeyGivesEveryDefault)
{
    EnvSettings = TEnvSettings{};
    EnvSettings.DispDiscord = EnvSettings.CompDate = false;
    EnvSettings.CompSize = EnvSettings.CompContents = EnvSettings.ProgTime = false;
    EnvSettings.DragDrop = EnvSettings.FolderListResize = true;
    EnvSettings.AllSelect = EnvSettings.SoundFlag = true;
    EnvSettings.CompSort = 4;
    EnvSettings.CompSortKind = 1;
    EnvSettings.SameSoundFileName = "a.wav";
    EnvSettings.DiscordSoundFileName = "b.wav";

    LoadEnvironment();
    const TEnvSettings& s = EnvSettings;
    EXPECT_TRUE(s.DispDiscord);
    EXPECT_TRUE(s.CompDate);
    EXPECT_TRUE(s.CompSize);
    EXPECT_TRUE(s.CompContents);
    EXPECT_EQ(0, s.CompSort);
    EXPECT_EQ(0, s.CompSortKind);
    EXPECT_FALSE(s.FolderListResize);
    EXPECT_FALSE(s.AllSelect);
    EXPECT_FALSE(s.DragDrop);
    EXPECT_FALSE(s.SoundFlag);
    EXPECT_EQ("", s.SameSoundFileName);
    EXPECT_EQ("", s.DiscordSoundFileName);
    EXPECT_TRUE(s.ProgTime);
}

TEST_F(RegistryTest, SaveEnvironmentWritesEveryFieldAsTextAndLoadsItBack)
{
    EnvSettings = TEnvSettings{};
    EnvSettings.CompDate = false;
    EnvSettings.DragDrop = true;
    EnvSettings.SoundFlag = true;
    EnvSettings.CompSort = 5;
    EnvSettings.CompSortKind = 1;
    EnvSettings.SameSoundFileName = "C:\\音\\同じ.wav";
    EnvSettings.DiscordSoundFileName = "Z:\\tmp\\ng.wav";
    SaveEnvironment();

    const char* expected[][2] = {
        {"DispDiscord", "1"},
        {"CompDate", "0"},
        {"CompSize", "1"},
        {"CompContents", "1"},
        {"CompSort", "5"},
        {"CompSortKind", "1"},
        {"FolderListResize", "0"},
        {"AllSelect", "0"},
        {"DragDrop", "1"},
        {"SoundFlag", "1"},
        {"SameSoundFileName", "C:\\音\\同じ.wav"},
        {"DiscordSoundFileName", "Z:\\tmp\\ng.wav"},
        {"ProgTime", "1"},
    };
    for (auto& e : expected) {
        DWORD type = 0;
        std::string text;
        ASSERT_TRUE(GetRaw("Environment", e[0], type, text)) << e[0];
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type) << e[0];
        EXPECT_EQ(e[1], text) << e[0];
    }
    // Nothing else goes into the section, and "Main" is untouched.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath("Environment").c_str(), 0,
                                           KEY_READ, &key));
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(13u, count);
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath("Main").c_str(), 0, KEY_READ, &key));

    TEnvSettings saved = EnvSettings;
    EnvSettings = TEnvSettings{};
    LoadEnvironment();
    EXPECT_FALSE(EnvSettings.CompDate);
    EXPECT_TRUE(EnvSettings.DragDrop);
    EXPECT_TRUE(EnvSettings.SoundFlag);
    EXPECT_EQ(saved.CompSort, EnvSettings.CompSort);
    EXPECT_EQ(saved.CompSortKind, EnvSettings.CompSortKind);
    EXPECT_EQ(saved.SameSoundFileName, EnvSettings.SameSoundFileName);
    EXPECT_EQ(saved.DiscordSoundFileName, EnvSettings.DiscordSoundFileName);
}

TEST_F(RegistryTest, SortValuesKeepTheirLowByte)
{
    PutText("Environment", "CompSort", "258");
    PutText("Environment", "CompSortKind", "-1");
    LoadEnvironment();
    EXPECT_EQ(2, EnvSettings.CompSort);
    EXPECT_EQ(255, EnvSettings.CompSortKind);
}

TEST_F(RegistryTest, TargetOnlyAndExclusionRoundTripAndStayAbsentAtTheirDefaults)
{
    struct Case {
        const char* what;
        bool targetOnly, excludeFlag;
        std::vector<std::wstring> masks;
        const char* storedTargetOnly; // nullptr: no value
        const char* storedFlag;
        const char* storedMasks;
    } cases[] = {
        {"defaults write nothing new", false, false, {}, nullptr, nullptr, nullptr},
        {"both on, three masks",
         true,
         true,
         {L"*.obj", L".git\\", L"Thumbs.db"},
         "1",
         "1",
         "*.obj|.git\\|Thumbs.db"},
        {"switched off again", false, false, {}, "0", "0", ""},
        {"a Japanese mask", false, true, {L"作業*.tmp"}, "0", "1", "作業*.tmp"},
    };
    for (const Case& c : cases) {
        EnvSettings = TEnvSettings{};
        EnvSettings.TargetOnly = c.targetOnly;
        EnvSettings.ExcludeFlag = c.excludeFlag;
        EnvSettings.ExcludeMasks = c.masks;
        SaveEnvironment();
        const std::pair<const char*, const char*> values[] = {{"TargetOnly", c.storedTargetOnly},
                                                              {"ExcludeFlag", c.storedFlag},
                                                              {"ExcludeMasks", c.storedMasks}};
        for (const auto& [name, stored] : values) {
            DWORD type = 0;
            std::string text;
            bool found = GetRaw("Environment", name, type, text);
            EXPECT_EQ(stored != nullptr, found) << c.what << ": " << name;
            if (found && stored) {
                EXPECT_EQ(stored, text) << c.what << ": " << name;
            }
        }
        EnvSettings = TEnvSettings{};
        LoadEnvironment();
        EXPECT_EQ(c.targetOnly, EnvSettings.TargetOnly) << c.what;
        EXPECT_EQ(c.excludeFlag, EnvSettings.ExcludeFlag) << c.what;
        EXPECT_EQ(c.masks, EnvSettings.ExcludeMasks) << c.what;
    }
}

TEST_F(RegistryTest, TextRuleAndItsOptionsRoundTripAndStayAbsentAtTheirDefaults)
{
    const char* const names[] = {"TextRule",        "TextIgnoreEol",   "TextIgnoreSpace",
                                 "TextIgnoreAllSpace", "TextIgnoreBlank", "TextIgnoreCase",
                                 "TextIgnoreWidth", "TextIgnoreKana"};
    struct Case {
        const char* what;
        bool rule;
        std::vector<int> options;       // TextOptionIndex
        std::vector<const char*> stored; // per name, nullptr: no value
    } cases[] = {
        {"defaults write nothing new", false, {}, {nullptr, nullptr, nullptr, nullptr, nullptr,
                                                   nullptr, nullptr, nullptr}},
        {"rule on, endings and width", true, {toIgnoreEol, toIgnoreWidth},
         {"1", "1", nullptr, nullptr, nullptr, nullptr, "1", nullptr}},
        {"switched off again", false, {}, {"0", "0", nullptr, nullptr, nullptr, nullptr, "0", nullptr}},
    };
    for (const Case& c : cases) {
        EnvSettings = TEnvSettings{};
        EnvSettings.TextRule = c.rule;
        for (int option : c.options)
            OptionAt(EnvSettings.TextIgnore, option) = true;
        SaveEnvironment();
        for (size_t i = 0; i < std::size(names); ++i) {
            DWORD type = 0;
            std::string text;
            bool found = GetRaw("Environment", names[i], type, text);
            EXPECT_EQ(c.stored[i] != nullptr, found) << c.what << ": " << names[i];
            if (found && c.stored[i]) {
                EXPECT_EQ(c.stored[i], text) << c.what << ": " << names[i];
            }
        }
        TextOptions saved = EnvSettings.TextIgnore;
        EnvSettings = TEnvSettings{};
        LoadEnvironment();
        EXPECT_EQ(c.rule, EnvSettings.TextRule) << c.what;
        EXPECT_TRUE(saved == EnvSettings.TextIgnore) << c.what;
    }
}

// The CSV's value columns: no value until the choice is first made, then kept either way.
TEST_F(RegistryTest, CsvValueColumnsStayAbsentUntilChosen)
{
    struct Step {
        bool chosen;
        const char* stored; // nullptr: no value
    } steps[] = {{false, nullptr}, {true, "1"}, {false, "0"}};
    for (const Step& step : steps) {
        EnvSettings = TEnvSettings{};
        EnvSettings.CsvValueColumns = step.chosen;
        SaveEnvironment();
        DWORD type = 0;
        std::string text;
        bool found = GetRaw("Environment", "CsvValueColumns", type, text);
        EXPECT_EQ(step.stored != nullptr, found) << step.chosen;
        if (found && step.stored) {
            EXPECT_EQ(step.stored, text);
        }
        EnvSettings = TEnvSettings{};
        LoadEnvironment();
        EXPECT_EQ(step.chosen, EnvSettings.CsvValueColumns);
    }
}
