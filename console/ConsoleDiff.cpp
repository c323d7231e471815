// The console's unified diff: two files as diff -u writes them, two folders as diff -ru
// walks them ("Only in", "Binary files ... differ", no "diff" command line before a file).
#include "console/ConsoleRun.h"
#include "engine/ExcludeMasks.h"
#include "engine/FilePath.h"
#include "textdiff/UnifiedDiff.h"
#include "toolkit/CodePage.h"
#include "toolkit/MessageBoxes.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {
struct FolderItem {
    std::wstring Name;
    bool IsFolder;
};

std::wstring Joined(const std::wstring& folder, const std::wstring& name, wchar_t separator)
{
    return folder + (!folder.empty() && folder.back() == separator ? L"" : std::wstring(1, separator)) +
           name;
}

// A file opened for the diff, its bytes mapped, closed again on every way out.
struct OpenedFile {
    HANDLE Handle;
    explicit OpenedFile(const std::wstring& path)
        : Handle(OpenForReading(FilePath(CodePageText(path), path)))
    {
    }
    ~OpenedFile()
    {
        if (Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
};

// The diff's bytes as a console shows them: each body line in its file's encoding.
std::wstring ShownDiff(const std::string& text, const TextFile& a, const TextFile& b, bool utf8)
{
    auto bodyEncoding = [](const TextFile& file) {
        return IsUtf16(file.Encoding.Encoding) ? TextEncoding::Utf8 : file.Encoding.Encoding;
    };
    std::wstring shown;
    int headers = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        const char* line = text.data() + at;
        size_t length = end - at;
        bool header = headers < 2 && length >= 4 &&
                      (std::memcmp(line, "--- ", 4) == 0 || std::memcmp(line, "+++ ", 4) == 0);
        JisState state = jisAscii;
        if (header) {
            ++headers;
            shown += utf8 ? WideOfUtf8(std::string(line, length)) : WideOf(std::string(line, length));
        } else if (line[0] == ' ' || line[0] == '-') {
            DecodeText(bodyEncoding(a), line, length, state, shown);
        } else if (line[0] == '+') {
            DecodeText(bodyEncoding(b), line, length, state, shown);
        } else {
            shown += WideOf(std::string(line, length));
        }
        at = end;
    }
    return shown;
}

struct DiffRun {
    const ConsoleOptions& Options;
    OutputStream& Out;
    OutputStream& Err;
    ExclusionRule Rule;
    bool Differ = false;
    bool Trouble = false;

    std::string Label(const std::wstring& shown) const
    {
        return Options.Utf8 ? Utf8Of(shown) : CodePageText(shown);
    }
    void Line(const std::wstring& text)
    {
        Out.WriteBytes(Label(text) + "\n", text + L"\n");
    }
    void Problem(const std::wstring& shown, DWORD error)
    {
        Out.Flush();
        Err.Write(L"Vexil32c: " + shown + L": " + WideOf(WithFullStop(IoErrorText(error))) + L"\r\n");
        Trouble = true;
    }
    bool Stopped()
    {
        if (!StopKeyPressed()) return false;
        Trouble = true;
        return true;
    }

    // Maps a file; false (said on standard error) when it cannot be read.
    bool Load(const std::wstring& shown, const std::wstring& path, TextFile& file, FILETIME& time)
    {
        OpenedFile opened(path);
        if (opened.Handle == INVALID_HANDLE_VALUE) {
            Problem(shown, GetLastError());
            return false;
        }
        try {
            file.Bytes.Map(opened.Handle);
        } catch (const IoFailure& failure) {
            Problem(shown, failure.Code);
            return false;
        }
        GetFileTime(opened.Handle, nullptr, nullptr, &time);
        return true;
    }

    void Files(const std::wstring& shownA, const std::wstring& pathA, const std::wstring& shownB,
               const std::wstring& pathB)
    {
        TextFile a, b;
        FILETIME timeA{}, timeB{};
        if (!Load(shownA, pathA, a, timeA) || !Load(shownB, pathB, b, timeB)) return;
        if (a.Bytes.Size() == b.Bytes.Size() &&
            std::memcmp(a.Bytes.Data(), b.Bytes.Data(), a.Bytes.Size()) == 0)
            return;
        try {
            // Lines as patch reads them: a lone CR stays inside its line.
            ReadTextLines(a, LineBreaks::LfOnly);
            ReadTextLines(b, LineBreaks::LfOnly);
        } catch (const IoFailure& failure) {
            Problem(shownA, failure.Code);
            return;
        }
        if (a.IsBinary() || b.IsBinary()) {
            Line(L"Binary files " + shownA + L" and " + shownB + L" differ");
            Differ = true;
            return;
        }
        TextDiffResult result = DiffTextFiles(a, b, Options.Text);
        std::string text;
        AppendUnifiedDiff(a, b, result, Label(shownA) + "\t" + DiffTimeText(timeA),
                          Label(shownB) + "\t" + DiffTimeText(timeB), text);
        if (text.empty()) return; // equal under the options
        Differ = true;
        Out.WriteBytes(text, Out.IsConsole() ? ShownDiff(text, a, b, Options.Utf8) : L"");
        if (result.Approximate) {
            Out.Flush();
            Err.Write(L"変更が多いため、近似の差分です: " + shownA + L"\r\n");
        }
    }

    // The items of a folder, masks applied, in name order; false when it cannot be read.
    bool List(const std::wstring& shown, const std::wstring& path, std::vector<FolderItem>& items)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(LongPathForm(Joined(path, L"*", L'\\')).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND) return true;
            Problem(shown, error);
            return false;
        }
        do {
            if (!std::wcscmp(found.cFileName, L".") || !std::wcscmp(found.cFileName, L".."))
                continue;
            bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            if (!Rule.Excludes(found.cFileName, isFolder)) items.push_back({found.cFileName, isFolder});
        } while (FindNextFileW(search, &found));
        FindClose(search);
        std::sort(items.begin(), items.end(),
                  [](const FolderItem& x, const FolderItem& y) { return x.Name < y.Name; });
        return true;
    }

    void Folders(const std::wstring& shownA, const std::wstring& pathA, const std::wstring& shownB,
                 const std::wstring& pathB)
    {
        std::vector<FolderItem> left, right;
        if (!List(shownA, pathA, left) || !List(shownB, pathB, right)) return;
        // Names pair as the platform pairs them: the same name first, else regardless of case.
        std::vector<int> partner(left.size(), -1);
        std::vector<bool> taken(right.size(), false);
        for (int pass = 0; pass < 2; ++pass)
            for (size_t i = 0; i < left.size(); ++i)
                for (size_t j = 0; j < right.size() && partner[i] < 0; ++j)
                    if (!taken[j] && (pass == 0 ? left[i].Name == right[j].Name
                                                : FoldedName(left[i].Name) ==
                                                      FoldedName(right[j].Name))) {
                        partner[i] = static_cast<int>(j);
                        taken[j] = true;
                    }
        size_t j = 0;
        for (size_t i = 0; i <= left.size() && !Stopped(); ++i) {
            // What only B holds comes where its name sorts.
            for (; j < right.size() && (i == left.size() || right[j].Name < left[i].Name); ++j) {
                if (taken[j]) continue;
                Line(L"Only in " + shownB + L": " + right[j].Name);
                Differ = true;
            }
            if (i == left.size()) break;
            const FolderItem& item = left[i];
            if (partner[i] < 0) {
                Line(L"Only in " + shownA + L": " + item.Name);
                Differ = true;
                continue;
            }
            const FolderItem& other = right[static_cast<size_t>(partner[i])];
            std::wstring subA = Joined(shownA, item.Name, L'/'), subB = Joined(shownB, other.Name, L'/');
            std::wstring realA = Joined(pathA, item.Name, L'\\'), realB = Joined(pathB, other.Name, L'\\');
            if (item.IsFolder && other.IsFolder) {
                Folders(subA, realA, subB, realB);
            } else if (!item.IsFolder && !other.IsFolder) {
                Files(subA, realA, subB, realB);
            } else {
                auto kind = [](bool folder) { return folder ? L"directory" : L"regular file"; };
                Line(L"File " + subA + L" is a " + kind(item.IsFolder) + L" while file " + subB +
                     L" is a " + kind(other.IsFolder));
                Differ = true;
            }
        }
    }
};

std::wstring NameOf(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

bool IsFolder(DWORD attributes)
{
    return attributes & FILE_ATTRIBUTE_DIRECTORY;
}
} // namespace

int DiffFromConsole(const ConsoleOptions& options, OutputStream& out, OutputStream& err)
{
    GivenPaths given;
    if (!ReachGivenPaths(options, err, given)) return ExitTrouble;
    std::wstring reference = given.Reference, target = given.Target;
    const DWORD referenceAttributes = given.ReferenceAttributes;
    const DWORD targetAttributes = given.TargetAttributes;
    DiffRun run{options, out, err, ExclusionRule(options.ExcludeMasks)};
    std::wstring shownA = options.Reference, shownB = options.Target;
    // A file against a folder is the file against the folder's file of that name.
    if (IsFolder(referenceAttributes) && !IsFolder(targetAttributes)) {
        shownA = Joined(shownA, NameOf(target), L'/');
        reference = Joined(reference, NameOf(target), L'\\');
    } else if (!IsFolder(referenceAttributes) && IsFolder(targetAttributes)) {
        shownB = Joined(shownB, NameOf(reference), L'/');
        target = Joined(target, NameOf(reference), L'\\');
    }
    if (IsFolder(referenceAttributes) && IsFolder(targetAttributes))
        run.Folders(shownA, reference, shownB, target);
    else
        run.Files(shownA, reference, shownB, target);
    out.Flush();
    if (StopKeyPressed()) err.Write(std::string("比較を中断しました。\r\n"));
    if (run.Trouble) return ExitTrouble;
    return run.Differ ? ExitDifferent : ExitSame;
}
