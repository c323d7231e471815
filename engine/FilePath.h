#pragma once
#include <string>
#include <windows.h>

// How the engine reaches one file: its path in the code page, which is what windows
// and the CSV show, and, when that path does not reach the file (a name the code page
// cannot hold, a path longer than the narrow calls take), the path for the wide calls.
struct FilePath {
    std::string Text;
    std::wstring Real; // empty when Text reaches the file

    FilePath() = default;
    FilePath(const std::string& text); // NOLINT: every code-page path is one
    FilePath(const char* text) : FilePath(std::string(text)) {}
    FilePath(const std::string& text, const std::wstring& real);
};

// A name the platform's path rules would change on the way in: a trailing dot or space
// (stripped, so "t." would reach "t"), or a device name (CON, nul.txt). The "\\?\" form
// reaches such a name as it is.
bool NeedsExactName(const std::wstring& name);
// A name no path can reach at all: it holds a wildcard, a ":" (a stream on Windows), or
// another character the platform refuses in a name.
bool IsUnreachableName(const std::wstring& name);

// A full path as the wide calls take it: from MAX_PATH characters on, a drive or
// network path gets the "\\?\" form that lifts the limit where the platform can.
std::wstring LongPathForm(const std::wstring& path);
// A path as people read it: without the "\\?\" of the long form.
std::wstring ShownPathForm(const std::wstring& path);
// The path of a record under a base: base + folder + name, reached by the record's
// real relative path when it has one.
FilePath RecordPath(const std::string& base, const std::string& folder, const std::string& name,
                    const std::wstring& realPath);
// A selected folder as a base, with one trailing "\": its code-page path, and its real
// (UTF-16) path as well when the code-page one ("?" marks) does not reach it.
FilePath BasePath(const std::string& path, const std::wstring& real);
// The same under a base that may be reached only by its real path.
FilePath RecordPath(const FilePath& base, const std::string& folder, const std::string& name,
                    const std::wstring& realPath);

// The platform's calls on such a path.
bool FileAttributesOf(const FilePath& path, WIN32_FILE_ATTRIBUTE_DATA& data);
DWORD AttributesOf(const FilePath& path); // INVALID_FILE_ATTRIBUTES when unknown
// Read-only, letting others read and write, never creating the file.
HANDLE OpenForReading(const FilePath& path, DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN);
