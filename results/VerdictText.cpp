#include "results/VerdictText.h"

#include <windows.h>

namespace {
const char* const SameText = "一致";
const char* const NotComparedText = "－"; // full-width hyphen-minus, 81 7C
const char* const NotFoundText = "見つからない";
const char* const NoReferenceText = "基準なし"; // the file is only in the target

std::string DecimalSeparator()
{
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer)) <= 1)
        return ".";
    return buffer;
}

// bytes / unit with the pattern "0.##": exact integer rounding, so that a half such as
// 1.125 always goes up, whatever the floating-point product would have been.
std::string UnitText(int64_t bytes, int64_t unit, const char* unitName)
{
    int64_t whole = bytes / unit;
    int64_t hundredths = ((bytes % unit) * 100 + unit / 2) / unit;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    std::string text = std::to_string(whole);
    if (hundredths != 0) {
        text += DecimalSeparator();
        text += static_cast<char>('0' + hundredths / 10);
        if (hundredths % 10 != 0) text += static_cast<char>('0' + hundredths % 10);
    }
    return text + unitName;
}
} // namespace

std::string DateVerdictText(DateVerdict verdict)
{
    switch (verdict) {
    case dvSame:
        return SameText;
    case dvNotCompared:
        return NotComparedText;
    case dvOSError:
        return "OS誤差";
    case dvNewer:
        return "新しい";
    case dvOlder:
        return "古い";
    case dvNotFound:
        return NotFoundText;
    case dvNoReference:
        return NoReferenceText;
    }
    return "";
}

std::string SizeVerdictText(SizeVerdict verdict)
{
    switch (verdict) {
    case svSame:
        return SameText;
    case svNotCompared:
        return NotComparedText;
    case svLarger:
        return "大きい";
    case svSmaller:
        return "小さい";
    case svNotFound:
        return NotFoundText;
    case svNoReference:
        return NoReferenceText;
    }
    return "";
}

std::string ContentsVerdictText(ContentsVerdict verdict)
{
    switch (verdict) {
    case cvSame:
        return SameText;
    case cvNotCompared:
        return NotComparedText;
    case cvDiffer:
        return "不一致";
    case cvNotFound:
        return NotFoundText;
    case cvInUse:
        return "使用中";
    case cvNoReference:
        return NoReferenceText;
    case cvEolOnly:
        return "改行のみ";
    case cvEncodingOnly:
        return "文字コードのみ";
    case cvEquivalent:
        return "同等";
    }
    return "";
}

std::string SizeText(int64_t bytes)
{
    const int64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
    if (bytes < KB) return std::to_string(bytes) + " バイト";
    if (bytes < MB) return UnitText(bytes, KB, "KB");
    if (bytes < GB) return UnitText(bytes, MB, "MB");
    return UnitText(bytes, GB, "GB");
}
