// Vexil32c: the comparison of Vexil32 from a command line, with an exit status for
// scripts. It never creates a window.
#include "console/ConsoleArgs.h"
#include "console/ConsoleRun.h"
#include "console/ConsoleText.h"

#include <vector>

// Wide arguments, so names outside the code page arrive whole.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> args(argv + 1, argv + argc);

    ConsoleOptions options;
    std::wstring reason;
    bool parsed = ParseArguments(args, options, reason);
    OutputStream out(STD_OUTPUT_HANDLE, options.Utf8 && options.CsvPath.empty());
    OutputStream err(STD_ERROR_HANDLE, false);
    if (parsed && options.Help) {
        out.Write(std::wstring(UsageText));
        return ExitSame;
    }
    if (!parsed) {
        err.Write(reason + L"\r\n\r\n" + UsageText);
        return ExitTrouble;
    }
    CatchStopKeys();
    if (options.Diff) return DiffFromConsole(options, out, err);
    return options.Bytes ? ListBytesFromConsole(options, out, err)
                         : CompareFromConsole(options, out, err);
}
