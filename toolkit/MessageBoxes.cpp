#include "toolkit/MessageBoxes.h"

#include <cstdio>

#include "toolkit/Application.h"
#include "toolkit/CodePage.h"

namespace {
int Box(const std::string& text, const std::string& caption, UINT type)
{
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), type | MB_TASKMODAL);
}
}  // namespace

void ShowInformation(const std::string& text) { Box(text, "情報", MB_OK | MB_ICONINFORMATION); }

void ShowInformation(const std::wstring& text)
{
    MessageBoxW(GetActiveWindow(), text.c_str(), WideOf("情報").c_str(),
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

bool AskInformationYesNo(const std::string& text)
{
    return Box(text, "情報", MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

bool AskYesNo(const std::string& text) { return Box(text, Application.Title, MB_YESNO) == IDYES; }

void ShowNotice(const std::string& text) { Box(text, Application.Title, MB_OK); }

void ReportIoError(DWORD errorCode) { ReportFailure(IoErrorText(errorCode)); }

void ReportFailure(const std::string& text)
{
    Box(WithFullStop(text), Application.Title, MB_OK | MB_ICONERROR);
}
