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
        return "不正なファイル名です";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "オープンしたファイルが多すぎます";
    case ERROR_ACCESS_DENIED:
        return "ファイルへのアクセスが拒否されました";
    case 100:
        return "ファイルの末尾以降を読み込みました";
    case 101:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return "ディスクがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
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
