#include "textdiff/UnifiedDiff.h"

#include <algorithm>
#include <cstdio>

namespace {
// "-a,b" as diff writes a range: an empty one names the line before it, one line has
// no count.
void AppendRange(std::string& out, char sign, size_t start, size_t count)
{
    out += sign;
    if (count == 0) {
        out += std::to_string(start) + ",0";
    } else if (count == 1) {
        out += std::to_string(start + 1);
    } else {
        out += std::to_string(start + 1) + "," + std::to_string(count);
    }
}

void AppendLine(std::string& out, char sign, const TextFile& file, size_t line)
{
    out += sign;
    const TextLine& l = file.Lines[line];
    if (IsUtf16(file.Encoding.Encoding)) {
        std::wstring text = file.LineText(line);
        int size = static_cast<int>(text.size());
        int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
        size_t at = out.size();
        out.resize(at + static_cast<size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &out[at], bytes, nullptr, nullptr);
        out += EndingBytes(l.Ending, TextEncoding::Utf8);
    } else {
        out.append(file.LineData(line), l.Length + file.EndingLength(line));
    }
    if (l.Ending == leNone) out += "\n\\ No newline at end of file\n";
}

struct Group {
    size_t First, Last; // hunk indexes, inclusive
};

std::vector<Group> GroupsOf(const std::vector<DiffHunk>& hunks, size_t context)
{
    std::vector<Group> groups;
    for (size_t k = 0; k < hunks.size(); ++k) {
        if (!groups.empty()) {
            const DiffHunk& last = hunks[groups.back().Last];
            if (hunks[k].A0 - (last.A0 + last.ACount) <= 2 * context) {
                groups.back().Last = k;
                continue;
            }
        }
        groups.push_back({k, k});
    }
    // A group of ignored changes alone is no change.
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [&hunks](const Group& g) {
                                    for (size_t k = g.First; k <= g.Last; ++k)
                                        if (!hunks[k].Ignored) return false;
                                    return true;
                                }),
                 groups.end());
    return groups;
}
} // namespace

std::string DiffTimeText(const FILETIME& utc)
{
    SYSTEMTIME universal, local;
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return "";
    FILETIME localTime;
    SystemTimeToFileTime(&local, &localTime);
    auto ticks = [](const FILETIME& t) {
        return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) |
                                    t.dwLowDateTime);
    };
    // The system time drops what is below a millisecond: the offset is whole minutes.
    int64_t offsetTicks = ticks(localTime) - (ticks(utc) - ticks(utc) % 10000);
    int offsetMinutes = static_cast<int>(offsetTicks / 600000000);
    int64_t fraction = ticks(utc) % 10000000;
    char text[64];
    int absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%09lld %c%02d%02d",
                  local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                  static_cast<long long>(fraction * 100), offsetMinutes < 0 ? '-' : '+',
                  absolute / 60, absolute % 60);
    return text;
}

void AppendUnifiedDiff(const TextFile& a, const TextFile& b, const TextDiffResult& diff,
                       const std::string& aLabel, const std::string& bLabel, std::string& out,
                       size_t context)
{
    std::vector<Group> groups = GroupsOf(diff.Hunks, context);
    if (groups.empty()) return;
    out += "--- " + aLabel + "\n+++ " + bLabel + "\n";
    for (const Group& group : groups) {
        const DiffHunk& first = diff.Hunks[group.First];
        const DiffHunk& last = diff.Hunks[group.Last];
        size_t aStart = first.A0 > context ? first.A0 - context : 0;
        size_t bStart = first.B0 - (first.A0 - aStart);
        size_t aEnd = std::min(a.Lines.size(), last.A0 + last.ACount + context);
        size_t bEnd = last.B0 + last.BCount + (aEnd - (last.A0 + last.ACount));
        out += "@@ ";
        AppendRange(out, '-', aStart, aEnd - aStart);
        out += ' ';
        AppendRange(out, '+', bStart, bEnd - bStart);
        out += " @@\n";
        size_t i = aStart;
        for (size_t k = group.First; k <= group.Last; ++k) {
            const DiffHunk& hunk = diff.Hunks[k];
            for (; i < hunk.A0; ++i)
                AppendLine(out, ' ', a, i);
            for (size_t n = 0; n < hunk.ACount; ++n)
                AppendLine(out, '-', a, hunk.A0 + n);
            for (size_t n = 0; n < hunk.BCount; ++n)
                AppendLine(out, '+', b, hunk.B0 + n);
            i = hunk.A0 + hunk.ACount;
        }
        for (; i < aEnd; ++i)
            AppendLine(out, ' ', a, i);
    }
}
