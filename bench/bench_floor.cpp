// The Wine floor: only the file calls a comparison needs, with nothing of the program
// around them. A directory search per folder, one GetFileAttributesExA per path, and
// per compared file one open, block reads and one close.
#include "bench/BenchTiming.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <windows.h>

namespace {
constexpr DWORD BlockSize = 32768;
char RefBlock[BlockSize];
char TargetBlock[BlockSize];

struct Relative {
    std::string Folder; // ends with "\" or is empty
    std::string Name;
};

void Walk(const std::string& base, const std::string& rel, std::vector<Relative>& found)
{
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((base + rel + "*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!std::strcmp(data.cFileName, ".") || !std::strcmp(data.cFileName, "..")) continue;
        found.push_back({rel, data.cFileName});
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(base, rel + data.cFileName + "\\", found);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

HANDLE OpenForReading(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// True when both files hold the same bytes; reading stops at the first difference.
bool SameContents(const std::string& ref, const std::string& target)
{
    HANDLE a = OpenForReading(ref);
    HANDLE b = OpenForReading(target);
    bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE;
    while (same) {
        DWORD ra = 0, rb = 0;
        if (!ReadFile(a, RefBlock, BlockSize, &ra, nullptr) ||
            !ReadFile(b, TargetBlock, BlockSize, &rb, nullptr)) {
            std::exit(3);
        }
        if (ra != rb || std::memcmp(RefBlock, TargetBlock, ra) != 0) same = false;
        if (ra == 0) break;
    }
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
    return same;
}

bool IsFile(const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Slashed(std::string path)
{
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    const std::string mode = argv[1];
    if (mode == "contents" && argc == 6) {
        Measure(argv[2], std::atoi(argv[5]),
                [&] { return SameContents(argv[3], argv[4]) ? "same" : "differ"; });
    } else if (mode == "walk" && argc == 6) {
        // walk NAME BASE FOLDER REPS
        Measure(argv[2], std::atoi(argv[5]), [&] {
            std::vector<Relative> found;
            Walk(Slashed(argv[3]), std::string(argv[4]) + "\\", found);
            return "entries=" + std::to_string(found.size());
        });
    } else if (mode == "walk2" && argc == 7) {
        // walk2 NAME SRCBASE DESBASE FOLDER REPS: the directory searches of both trees
        Measure(argv[2], std::atoi(argv[6]), [&] {
            std::vector<Relative> found;
            Walk(Slashed(argv[3]), std::string(argv[5]) + "\\", found);
            Walk(Slashed(argv[4]), std::string(argv[5]) + "\\", found);
            return "entries=" + std::to_string(found.size());
        });
    } else if (mode == "run" && argc == 7) {
        // run NAME SRCBASE DESBASE FOLDER REPS
        const std::string src = Slashed(argv[3]), des = Slashed(argv[4]);
        std::vector<double> walkTimes, checkTimes;
        std::string note;
        for (int rep = 0; rep < std::atoi(argv[6]); ++rep) {
            double start = NowSeconds();
            std::vector<Relative> found;
            Walk(src, std::string(argv[5]) + "\\", found);
            double walked = NowSeconds();
            int differing = 0;
            for (const Relative& r : found) {
                WIN32_FILE_ATTRIBUTE_DATA refData, targetData;
                const std::string ref = src + r.Folder + r.Name;
                if (!GetFileAttributesExA(ref.c_str(), GetFileExInfoStandard, &refData) ||
                    !IsFile(refData))
                    continue;
                const std::string target = des + r.Folder + r.Name;
                if (!GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &targetData) ||
                    !IsFile(targetData) || !SameContents(ref, target))
                    ++differing;
            }
            walkTimes.push_back(walked - start);
            checkTimes.push_back(NowSeconds() - walked);
            note = "records=" + std::to_string(found.size()) +
                   ",differing=" + std::to_string(differing);
        }
        std::vector<double> total;
        for (size_t i = 0; i < walkTimes.size(); ++i)
            total.push_back(walkTimes[i] + checkTimes[i]);
        PrintResult(argv[2], total, note);
        PrintResult(std::string(argv[2]) + "_walk", walkTimes, note);
        PrintResult(std::string(argv[2]) + "_checks", checkTimes, note);
    } else {
        return 2;
    }
    return 0;
}
