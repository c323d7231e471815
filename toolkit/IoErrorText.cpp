// The texts of I/O failures, apart from the boxes that show them, so a program without
// windows can say them too.
#include "toolkit/MessageBoxes.h"

#include <cstdio>

std::string IoErrorText(DWORD errorCode)
{
    switch (errorCode) {
    case ERROR_FILE_NOT_FOUND:
        return "ファイルが見つかりません";
    case ERROR_PATH_NOT_FOUND:
        return "フォルダが見つかりません";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "オープンしたファイルが多すぎます";
    case ERROR_ACCESS_DENIED:
        return "ファイルへのアクセスが拒否されました";
    case ERROR_WRITE_PROTECT:
        return "ディスクが書き込み禁止です";
    case ERROR_NOT_READY:
        return "ドライブの準備ができていません";
    case ERROR_SHARING_VIOLATION:
        return "ファイルは他のプログラムが使用中です";
    case ERROR_LOCK_VIOLATION:
        return "ファイルの一部を他のプログラムがロックしています";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return "ネットワーク上のパスが見つかりません";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return "同じ名前のファイルが既にあります";
    case 100:
        return "ファイルの末尾以降を読み込みました";
    case 101:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return "ディスクがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return "出力先のパイプが閉じられました";
    case ERROR_INVALID_NAME:
        return "ファイル名が正しくありません（使えない文字が含まれています）";
    case ERROR_FILENAME_EXCED_RANGE:
        return "パスが長すぎます";
    default: {
        char text[40];
        std::snprintf(text, sizeof text, "I/O エラー (%lu)", static_cast<unsigned long>(errorCode));
        return text;
    }
    }
}

std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
    return text;
}
