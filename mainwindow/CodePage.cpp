#include "mainwindow/CodePage.h"

#include <string>
#include <windows.h>

namespace {
constexpr UINT JapaneseCodePage = 932;

// Wide text: on any other code page the program's own texts cannot be read.
const wchar_t* const RefusalText =
    L"Vexil32 は日本語のコード ページ (932) でなければ動作しません。"
    L"このままでは、メニューやファイル名が文字化けします。\n\n"
    L"Windows 11 では、プログラムが自分でコード ページ 932 を選びます。"
    L"それより前の Windows では、[コントロール パネル] → [地域] → [管理] → "
    L"[システム ロケールの変更] で「日本語 (日本)」を選び、"
    L"「ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用」をオフにして、"
    L"Windows を再起動してください。\n\n"
    L"Vexil32 needs the Japanese code page (932); with any other, its menus and the file "
    L"names it lists would be garbled.\n\n"
    L"On Windows 11 the program selects code page 932 by itself. On older Windows, open "
    L"Control Panel > Region > Administrative > Change system locale, choose "
    L"\"Japanese (Japan)\", clear \"Beta: Use Unicode UTF-8 for worldwide language "
    L"support\", and restart Windows.\n\n";
} // namespace

bool JapaneseCodePageOrRefuse()
{
    UINT codePage = GetACP();
    if (codePage == JapaneseCodePage) return true;
    std::wstring text = RefusalText;
    text += L"(コード ページ / code page: " + std::to_wstring(codePage) + L")";
    MessageBoxW(nullptr, text.c_str(), L"Vexil32", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return false;
}
