// Masks in the registry through a start and an exit of the whole program: read as the
// names they are (a trail byte of ポ is no separator), written back as they were, and a
// value that cannot be read as masks said at the start and left untouched.
#include "mainwindow/Program.h"
#include "tests/common/BoxAnswerer.h"
#include "tests/program/MainTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
const char* const EnvironmentKey = "Software\\Brask\\Vexil32\\Environment";

// The stored value's type and bytes; type 0 when it is missing.
std::pair<DWORD, std::string> RawValue()
{
    HKEY key = nullptr;
    std::pair<DWORD, std::string> value{0, std::string(1 << 16, '\0')};
    if (RegOpenKeyExA(HKEY_CURRENT_USER, EnvironmentKey, 0, KEY_READ, &key)) return {0, ""};
    DWORD size = static_cast<DWORD>(value.second.size());
    if (RegQueryValueExW(key, L"ExcludeMasks", nullptr, &value.first,
                         reinterpret_cast<BYTE*>(value.second.data()), &size))
        value = {0, ""};
    else
        value.second.resize(size);
    RegCloseKey(key);
    return value;
}

void PutValue(DWORD type, const void* data, DWORD size, bool wide)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, EnvironmentKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    if (wide)
        RegSetValueExW(key, L"ExcludeMasks", 0, type, static_cast<const BYTE*>(data), size);
    else
        RegSetValueExA(key, "ExcludeMasks", 0, type, static_cast<const BYTE*>(data), size);
    RegSetValueExA(key, "ExcludeFlag", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegCloseKey(key);
}

void PutWide(const std::wstring& text)
{
    PutValue(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2), true);
}
} // namespace

TEST(StoredMasks, ReadAsStoredKeptThroughAStartAndAnExitAndAProblemSaidAtTheStart)
{
    const std::wstring longMask = std::wstring(2000, L'x') + L"*.log";
    const DWORD number = 7;
    struct Case {
        const char* name;
        std::function<void()> store;
        std::vector<std::wstring> masks; // as the run uses them
        const char* noticeHas;           // "" for no notice
    } cases[] = {
        {"names outside Shift-JIS and a long mask",
         [&] { PutWide(L"\xD83D\xDE00.txt|caf\x00E9.txt|テンポ*.txt|" + longMask); },
         {L"\xD83D\xDE00.txt", L"caf\x00E9.txt", L"テンポ*.txt", longMask},
         ""},
        {"written in Shift-JIS by an earlier build",
         [] { PutValue(REG_SZ, "テンポ*.txt|*.obj", sizeof "テンポ*.txt|*.obj", false); },
         {L"テンポ*.txt", L"*.obj"},
         ""},
        {"a piece that is no mask", [] { PutWide(L"テンポ*.txt|a:b"); }, {L"テンポ*.txt"},
         "「a:b」"},
        {"a value that is no text", [&] { PutValue(REG_DWORD, &number, sizeof number, false); },
         {}, "文字列ではない値です"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        ClearStore();
        c.store();
        const std::pair<DWORD, std::string> stored = RawValue();
        SetCurrentDirectoryA(WithoutTrailingSlash(folder.Path).c_str());
        EnvSettings = TEnvSettings{};
        std::vector<std::wstring> used;
        BoxAnswerer boxes({IDOK});
        std::string failure = RunProgramWith(
            {When([] { return Application.MainWindow && IsWindowVisible(Application.MainWindow); },
                  [&] { used = EnvSettings.ExcludeMasks; })},
            20000);
        EXPECT_EQ("", failure) << c.name;
        EXPECT_EQ(c.masks, used) << c.name;
        if (*c.noticeHas) {
            ASSERT_EQ(1u, boxes.Seen.size()) << c.name;
            EXPECT_NE(std::string::npos, boxes.Seen[0].Text.find(c.noticeHas))
                << c.name << ": " << boxes.Seen[0].Text;
        } else {
            EXPECT_TRUE(boxes.Seen.empty()) << c.name;
        }
        // Written back as it was, byte for byte (or left as it was).
        EXPECT_EQ(stored, RawValue()) << c.name;
    }
    ClearStore();
}
