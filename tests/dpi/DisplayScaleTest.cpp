#include "engine/CompDisp.h"
#include "engine/FileSearchDisp.h"
#include "mainwindow/About.h"
#include "mainwindow/Help.h"
#include "mainwindow/MainState.h"
#include "results/Result.h"
#include "results/TextDiffDlg.h"
#include "results/TrelkDisp.h"
#include "settings/EnvSet.h"
#include "settings/EnvSettings.h"
#include "tests/dpi/TextFit.h"
#include "tests/program/MainTestSupport.h"
#include "toolkit/InputQuery.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

// The windows at 96, 144 and 192 dpi. The DPI a program sees is read from the registry
// when it starts, so the test starts this program again at each DPI; the AtOneDpi tests
// run only in such a child (VEXIL_TEST_DPI names its DPI).
namespace {
const char* const ChildDpiVariable = "VEXIL_TEST_DPI";
const char* const DesktopKey = "Control Panel\\Desktop";

UINT ChildDpi()
{
    char value[16] = {};
    return GetEnvironmentVariableA(ChildDpiVariable, value, sizeof value) ? atoi(value) : 0;
}

void SetLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (dpi)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
}

// Runs this program's AtOneDpi tests at a DPI; returns the exit code, output in output.
DWORD RunChildAt(UINT dpi, std::string& output)
{
    SetLogPixels(dpi);
    SetEnvironmentVariableA(ChildDpiVariable, std::to_string(dpi).c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_filter=AtOneDpi.*";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = start.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    DWORD code = 99;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                       &process)) {
        CloseHandle(writeEnd);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        CloseHandle(writeEnd);
    }
    CloseHandle(readEnd);
    SetEnvironmentVariableA(ChildDpiVariable, nullptr);
    return code;
}

// Shows a window for a while when VEXIL_SHOT_PAUSE_MS is set, so screenshots can be taken.
void PauseForShot(HWND window)
{
    char value[16] = {};
    if (!GetEnvironmentVariableA("VEXIL_SHOT_PAUSE_MS", value, sizeof value)) return;
    SetWindowPos(window, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // Where the client area is on the screen, for the one who takes the picture.
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    printf("shot %ld %ld %ld %ld\n", client.left, client.top, client.right - client.left,
           client.bottom - client.top);
    fflush(stdout);
    ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(atoi(value));
    MSG msg;
    while (GetTickCount64() < until) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    ShowWindow(window, SW_HIDE);
}

// A main window over fifteen files, all selected, as the status bar's longest texts need.
std::unique_ptr<TMainDlg> MainWindowOverFifteenFiles(TempFolder& folder)
{
    for (int i = 0; i < 15; ++i)
        folder.WriteFile("file" + std::to_string(i) + ".txt", std::string(i + 1, 'x'));
    ClearStore();
    auto form = OpenMainWindow(folder.Path);
    form->SelectAllFiles(form->SrcFileView);
    return form;
}

// A run with a row of every kind, its dates and sizes the widest they come.
void FillRunOfEveryKind()
{
    ResetEntries();
    EnvSettings.DispDiscord = false;
    const uint64_t date = 133000000000000000ull; // 2022
    struct Row {
        const char* Name;
        DateVerdict Date;
        SizeVerdict Size;
        ContentsVerdict Contents;
        bool Target, Reference, TargetOnly;
    } rows[] = {
        {"newer.txt", dvNewer, svLarger, cvDiffer, true, true, false},
        {"missing.txt", dvNotFound, svNotFound, cvNotFound, false, true, false},
        {"only-in-target.txt", dvNoReference, svNoReference, cvNoReference, true, false, true},
        {"same.txt", dvSame, svSame, cvSame, true, true, false},
    };
    for (const Row& r : rows) {
        AddEntry(r.Name, "sub\\");
        FilePairEntry& e = FileEntries.back();
        e.DateResult = r.Date;
        e.SizeResult = r.Size;
        e.ContentsResult = r.Contents;
        e.TargetOnly = r.TargetOnly;
        e.HasFacts = r.Reference;
        e.LastWrite = date;
        e.Size = 1234567890123;
        e.HasTargetFacts = r.Target;
        e.TargetLastWrite = date + 20000000;
        e.TargetSize = 9876543210987;
    }
    MismatchCount = 3;
}

int Scaled(int value)
{
    return MulDiv(value, static_cast<int>(ChildDpi()), 96);
}
} // namespace

TEST(DisplayScale, EveryWindowFollowsTheDpiOfThePrefix)
{
    for (UINT dpi : {96u, 144u, 192u}) {
        std::string output;
        DWORD code = RunChildAt(dpi, output);
        EXPECT_EQ(code, 0u) << "at " << dpi << " dpi:\n" << output;
    }
    SetLogPixels(0);
}

TEST(AtOneDpi, NoWindowClipsItsTexts)
{
    if (!ChildDpi()) GTEST_SKIP() << "runs in a child at a DPI";
    ASSERT_EQ(SystemDpi(), ChildDpi());
    TempFolder folder;
    const std::string a = folder.WriteFile("a.bin", "abc"), b = folder.WriteFile("b.bin", "abd");
    struct Case {
        const char* Name;
        std::function<std::unique_ptr<Form>()> Open;
    };
    const Case cases[] = {
        {"main window",
         [&] { return std::unique_ptr<Form>(MainWindowOverFifteenFiles(folder).release()); }},
        {"settings dialog",
         [] {
             auto d = std::make_unique<TEnvSetDlg>();
             d->Create(nullptr);
             d->ApplyPreviewLooks();
             return std::unique_ptr<Form>(d.release());
         }},
        {"result window",
         [] {
             FillRunOfEveryKind();
             auto d = std::make_unique<TResultDlg>();
             d->Open("C:\\data\\", "D:\\data\\");
             return std::unique_ptr<Form>(d.release());
         }},
        {"byte view",
         [&] {
             auto d = std::make_unique<TTrelkDispDlg>();
             d->Open(nullptr);
             d->Fill(a, b);
             return std::unique_ptr<Form>(d.release());
         }},
        {"text view",
         [&] {
             auto d = std::make_unique<TTextDiffDlg>();
             d->Open(nullptr);
             d->Fill(folder.WriteFile("a.txt", "表示能力の改善\r\nstatic void sigpipe_init(void)\r\n"
                                               "{\r\n\treturn;\r\n}\r\n"),
                     folder.WriteFile("b.txt", "表示機能の改善（ソート）\r\n"
                                               "static int sigpipe_init(void)\r\n{\r\n}\r\n"),
                     {});
             return std::unique_ptr<Form>(d.release());
         }},
        {"comparison progress",
         [] {
             auto d = std::make_unique<TCompDispDlg>();
             d->Create();
             d->FileNumSText.SetText("200001");
             d->NotSameFileSText.SetText("200001");
             d->ProgTimeSText.SetText("12:34:56");
             d->ProgDisp.SetText("100%");
             return std::unique_ptr<Form>(d.release());
         }},
        {"file search progress",
         [] {
             auto d = std::make_unique<TFileSearchDispDlg>();
             d->Create();
             d->FileNumDisp.SetText("200001");
             return std::unique_ptr<Form>(d.release());
         }},
        {"mask query",
         [] {
             auto d = std::make_unique<TInputQueryDlg>();
             d->Create(nullptr, "比較対象外の追加", ExcludeMaskPrompt, L"*.tmp");
             return std::unique_ptr<Form>(d.release());
         }},
        {"help",
         [] {
             auto d = std::make_unique<THelpDlg>();
             d->Create(nullptr);
             return std::unique_ptr<Form>(d.release());
         }},
        {"about box",
         [] {
             auto d = std::make_unique<TAboutDlg>();
             d->Create(nullptr);
             return std::unique_ptr<Form>(d.release());
         }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Form> form = c.Open();
        ASSERT_TRUE(form && form->Handle) << c.Name;
        EXPECT_EQ(form->Dpi, ChildDpi()) << c.Name;
        std::string clipped;
        for (const std::string& text : ClippedTexts(form->Handle))
            clipped += "\n  " + text;
        EXPECT_TRUE(clipped.empty()) << c.Name << " at " << ChildDpi() << " dpi:" << clipped;
        PauseForShot(form->Handle);
    }
}

TEST(AtOneDpi, ToolBarPicturesAreDrawnAtTheSizeTheDpiAsks)
{
    if (!ChildDpi()) GTEST_SKIP() << "runs in a child at a DPI";
    TempFolder folder;
    auto form = MainWindowOverFifteenFiles(folder);
    // At the DPI in force, then after the window went to a monitor of twice as many.
    for (UINT dpi : {ChildDpi(), ChildDpi() * 2}) {
        RECT suggested{};
        GetWindowRect(form->Handle, &suggested);
        if (dpi != form->Dpi)
            SendMessageA(form->Handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        SIZE picture = form->ToolBar.PictureExtent();
        RECT button = form->ToolBar.ButtonRect(IconTButton);
        RECT swap = form->ToolBar.ButtonRect(FolderChangeTButton);
        std::string at = " at " + std::to_string(dpi) + " dpi";
        EXPECT_EQ(picture.cx, MulDiv(16, dpi, 96)) << at;
        EXPECT_EQ(picture.cy, MulDiv(16, dpi, 96)) << at;
        EXPECT_EQ(button.right - button.left, MulDiv(24, dpi, 96)) << at;
        EXPECT_EQ(swap.right - swap.left, MulDiv(23, dpi, 96)) << at;
        EXPECT_EQ(form->StatusBar.Height(), MulDiv(18, dpi, 96)) << at;
    }
}

TEST(AtOneDpi, AKeyWrittenAt96DpiOpensScaledAndSavesWhatItRead)
{
    if (!ChildDpi()) GTEST_SKIP() << "runs in a child at a DPI";
    TempFolder folder;
    ClearStore();
    struct Value {
        const char* Name;
        int Stored;
        std::function<int(TMainDlg&)> Shown;
    };
    const Value values[] = {
        {"Width", 600, [](TMainDlg& f) { return f.Width(); }},
        {"Height", 450, [](TMainDlg& f) { return f.Height(); }},
        {"SrcHeight", 150, [](TMainDlg& f) { return f.SrcPanel.Height(); }},
        {"SrcFolderViewWidth", 210, [](TMainDlg& f) { return f.SrcFolderPanel.Width(); }},
        {"DesFolderViewWidth", 170, [](TMainDlg& f) { return f.DesFolderPanel.Width(); }},
        {"SrcFVNameWidth", 130, [](TMainDlg& f) { return f.SrcFileView.ColumnWidth(0); }},
        {"DesFVDateWidth", 90, [](TMainDlg& f) { return f.DesFileView.ColumnWidth(3); }},
    };
    for (const Value& v : values)
        WriteInteger("Main", v.Name, v.Stored);
    auto form = OpenMainWindow(folder.Path);
    for (const Value& v : values)
        EXPECT_EQ(v.Shown(*form), Scaled(v.Stored)) << v.Name << " at " << ChildDpi() << " dpi";
    SaveMainState(*form);
    for (const Value& v : values)
        EXPECT_EQ(StoredText("Main", v.Name), std::to_string(v.Stored)) << v.Name;
}

TEST(AtOneDpi, DamagedSizesAreClampedAtLoadAndHealedAtSave)
{
    if (!ChildDpi()) GTEST_SKIP() << "runs in a child at a DPI";
    TempFolder folder;
    struct Damage {
        const char* Name;
        const char* Text;
        std::function<bool(TMainDlg&)> Usable; // what a person needs to see
        int Least, Most;                       // what the store holds after the save (96 dpi)
    };
    const int screenWidth = UnscaleFrom(GetSystemMetrics(SM_CXVIRTUALSCREEN), ChildDpi());
    const int screenHeight = UnscaleFrom(GetSystemMetrics(SM_CYVIRTUALSCREEN), ChildDpi());
    const Damage damages[] = {
        {"Width", "-300", [](TMainDlg& f) { return f.Width() >= Scaled(240); }, 240, screenWidth},
        {"Height", "1", [](TMainDlg& f) { return f.Height() >= Scaled(180); }, 180, screenHeight},
        {"Width", "99999", [](TMainDlg& f) { return f.Width() <= GetSystemMetrics(SM_CXVIRTUALSCREEN); },
         240, screenWidth},
        {"SrcHeight", "-50", [](TMainDlg& f) { return f.SrcPanel.Height() >= Scaled(30); }, 30, 2000},
        {"SrcHeight", "99999", [](TMainDlg& f) { return f.DesPanel.Height() >= Scaled(30); }, 30,
         2000},
        {"SrcFolderViewWidth", "99999",
         [](TMainDlg& f) { return f.SrcFileView.Width() >= Scaled(30); }, 30, 2000},
        {"DesFolderViewWidth", "-7", [](TMainDlg& f) { return f.DesFolderPanel.Width() >= Scaled(30); },
         30, 2000},
        {"SrcFVNameWidth", "-100", [](TMainDlg& f) { return f.SrcFileView.ColumnWidth(0) >= Scaled(16); },
         16, 2000},
        {"DesFVSizeWidth", "0", [](TMainDlg& f) { return f.DesFileView.ColumnWidth(1) >= Scaled(16); },
         16, 2000},
        {"MsgFontSize", "-9999", [](TMainDlg& f) { return f.SrcFolderView.Look().FontSize == 9; }, 9,
         9},
        {"MsgFontSize", "5000", [](TMainDlg& f) { return f.SrcFileView.Look().FontSize == 72; }, 72,
         72},
    };
    for (const Damage& d : damages) {
        ClearStore();
        WriteString("Main", d.Name, d.Text);
        auto form = OpenMainWindow(folder.Path);
        std::string at = std::string(d.Name) + "=" + d.Text + " at " + std::to_string(ChildDpi());
        EXPECT_TRUE(d.Usable(*form)) << at;
        SaveMainState(*form);
        int saved = ReadInteger("Main", d.Name, -1);
        EXPECT_GE(saved, d.Least) << at;
        EXPECT_LE(saved, d.Most) << at;
    }
}

TEST(AtOneDpi, FirstStartWindowsFitTheScreen)
{
    if (!ChildDpi()) GTEST_SKIP() << "runs in a child at a DPI";
    TempFolder folder;
    ClearStore();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* Name;
        std::function<std::unique_ptr<Form>()> Open;
    };
    const Case cases[] = {
        {"main window", [&] { return std::unique_ptr<Form>(OpenMainWindow(folder.Path).release()); }},
        {"help",
         [] {
             auto d = std::make_unique<THelpDlg>();
             d->Create(nullptr);
             return std::unique_ptr<Form>(d.release());
         }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Form> form = c.Open();
        RECT r{};
        GetWindowRect(form->Handle, &r);
        std::string at = std::string(c.Name) + " at " + std::to_string(ChildDpi()) + " dpi";
        EXPECT_GE(r.left, work.left) << at;
        EXPECT_GE(r.top, work.top) << at;
        EXPECT_LE(r.right, work.right) << at;
        EXPECT_LE(r.bottom, work.bottom) << at;
    }
    ClearStore();
}
