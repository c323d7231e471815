// Vexil32c: the comparison of Vexil32 from a command line, with an exit status for
// scripts. It never creates a window.
#include "console/ConsoleArgs.h"
#include "console/ConsoleRun.h"
#include "console/ConsoleText.h"
#include "toolkit/MessageBoxes.h"

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
    int status = ExitTrouble;
    if (parsed && options.Help) {
        out.Write(std::wstring(UsageText));
        status = ExitSame;
    } else if (!parsed) {
        err.Write(reason + L"\r\n\r\n" + UsageText);
    } else {
        CatchStopKeys();
        status = options.Diff    ? DiffFromConsole(options, out, err)
                 : options.Bytes ? ListBytesFromConsole(options, out, err)
                                 : CompareFromConsole(options, out, err);
    }
    // Lines that could not be written (a full disk, a closed pipe) make the run a trouble,
    // said on standard error; a failing standard error leaves only the status to say it.
    out.Flush();
    if (out.Failure()) {
        err.Write(WithFullStop("標準出力に書き込めません: " + IoErrorText(out.Failure())) + "\r\n");
        status = ExitTrouble;
    }
    err.Flush();
    return err.Failure() ? ExitTrouble : status;
}
