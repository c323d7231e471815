#pragma once
#include "textdiff/TextRules.h"

#include <string>
#include <vector>

// What the command line asks for.
struct ConsoleOptions {
    bool CompDate = true, CompSize = true, CompContents = true;
    bool All = false; // every record, not only mismatches
    bool Append = false;
    bool Utf8 = false;
    bool Bytes = false; // the byte list of two files
    bool Diff = false;  // a unified diff of two files or folders
    TextOptions Text;   // /ignore*: the diff's rules, or else the run's text rule
    bool Help = false;
    bool TargetOnly = false;               // list what only the target holds, too
    std::vector<std::wstring> ExcludeMasks; // left out on both sides; empty for none
    std::wstring CsvPath;                  // "" for lines on standard output
    std::wstring Reference, Target;
};

// Parses the arguments after the program name. False with the reason when they do not
// make a command (an unknown switch, a missing or extra path, every check off).
bool ParseArguments(const std::vector<std::wstring>& args, ConsoleOptions& options,
                    std::wstring& reason);

// The /ignore* switches, in the order of TextOptionIndex.
extern const wchar_t* const TextOptionSwitches[TextOptionCount];

// The text for /? and for arguments that make no command.
extern const wchar_t UsageText[];
