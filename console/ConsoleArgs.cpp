#include "console/ConsoleArgs.h"

#include "settings/MaskProblem.h"
#include "toolkit/CodePage.h"

#include <algorithm>
#include <cwctype>

const wchar_t UsageText[] =
    L"使い方: Vexil32c [オプション] 基準 対象\r\n"
    L"  基準のフォルダ (またはファイル) の中のすべてを、対象のフォルダ (またはファイル)\r\n"
    L"  の同じ相対パスのファイルと比較します。\r\n"
    L"\r\n"
    L"  /nodate      日付を比較しません (－)\r\n"
    L"  /nosize      サイズを比較しません (－)\r\n"
    L"  /nocontents  内容を比較しません (－)\r\n"
    L"  /all         一致したものも含めてすべて出力します\r\n"
    L"  /csv:FILE    結果を CSV ファイルに書き込みます\r\n"
    L"  /append      CSV ファイルに追記します\r\n"
    L"  /utf8        UTF-8 で書き込みます (BOM 付き、実際の名前)\r\n"
    L"  /bytes       2 つのファイルの相違バイトを出力します\r\n"
    L"  /diff        2 つのファイル (フォルダ) の差分を diff -u の形式で出力します\r\n"
    L"  /ignoreeol   改行コードの違いを無視します\r\n"
    L"  /ignorespace 空白の量の違いを無視します\r\n"
    L"  /ignoreallspace  空白をすべて無視します (全角空白も)\r\n"
    L"  /ignoreblank 空行を無視します\r\n"
    L"  /ignorecase  大文字と小文字を区別しません\r\n"
    L"  /ignorewidth 全角と半角を区別しません\r\n"
    L"  /ignorekana  ひらがなとカタカナを区別しません\r\n"
    L"               /diff なしでは、テキストファイルの内容をこの規則で比較します\r\n"
    L"  /targetonly  対象にしかないものも出力します (基準なし)\r\n"
    L"  /exclude:MASKS  マスクに合うものを比較から除きます (; 区切り、\"*.obj;bin\\\")\r\n"
    L"  /?           この説明を表示します\r\n"
    L"\r\n"
    L"終了コード: 0 すべて一致  1 不一致あり\r\n"
    L"            2 引数の誤り、見つからない基準、読めないファイル、比較できないもの、中断\r\n";

const wchar_t* const TextOptionSwitches[TextOptionCount] = {
    L"ignoreeol", L"ignorespace", L"ignoreallspace", L"ignoreblank",
    L"ignorecase", L"ignorewidth", L"ignorekana"};

namespace {
// The /ignore* switch of that name; false when it is none.
bool ReadTextOption(const std::wstring& name, TextOptions& options)
{
    for (int i = 0; i < TextOptionCount; ++i)
        if (name == TextOptionSwitches[i]) {
            OptionAt(options, i) = true;
            return true;
        }
    return false;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}
// Masks separated by ";", each one as the settings dialog would take it: whole, so that
// a character the code page lacks stays itself and never becomes a "?" wildcard.
bool ReadMasks(const std::wstring& text, std::vector<std::wstring>& masks, std::wstring& reason)
{
    for (size_t at = 0; at <= text.size();) {
        size_t end = std::min(text.find(L';', at), text.size());
        std::wstring mask = text.substr(at, end - at);
        at = end + 1;
        if (mask.empty()) continue;
        std::string problem = MaskProblem(mask);
        if (!problem.empty()) {
            reason = mask + L": " + WideOf(problem);
            return false;
        }
        masks.push_back(mask);
    }
    return true;
}
} // namespace

bool ParseArguments(const std::vector<std::wstring>& args, ConsoleOptions& options,
                    std::wstring& reason)
{
    std::vector<std::wstring> paths;
    for (const std::wstring& arg : args) {
        if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) {
            paths.push_back(arg);
            continue;
        }
        std::wstring name = Lower(arg.substr(1));
        if (ReadTextOption(name, options.Text)) continue;
        if (name == L"?" || name == L"h" || name == L"help") {
            options.Help = true;
        } else if (name == L"nodate") {
            options.CompDate = false;
        } else if (name == L"nosize") {
            options.CompSize = false;
        } else if (name == L"nocontents") {
            options.CompContents = false;
        } else if (name == L"all") {
            options.All = true;
        } else if (name == L"append") {
            options.Append = true;
        } else if (name == L"utf8") {
            options.Utf8 = true;
        } else if (name == L"bytes") {
            options.Bytes = true;
        } else if (name == L"diff") {
            options.Diff = true;
        } else if (name == L"targetonly") {
            options.TargetOnly = true;
        } else if (name.compare(0, 8, L"exclude:") == 0 && arg.size() > 9) {
            if (!ReadMasks(arg.substr(9), options.ExcludeMasks, reason)) return false;
        } else if (name.compare(0, 4, L"csv:") == 0 && arg.size() > 5) {
            options.CsvPath = arg.substr(5);
        } else {
            reason = L"不明なオプションです: " + arg;
            return false;
        }
    }
    if (options.Help) return true;
    if (paths.size() != 2) {
        reason = paths.size() < 2 ? L"基準と対象を指定してください。" : L"パスが多すぎます。";
        return false;
    }
    if (options.Diff && (options.Bytes || !options.CsvPath.empty())) {
        reason = L"/diff は /bytes、/csv と一緒に指定できません。";
        return false;
    }
    // The byte list reads two files whole: a switch it would not use is refused rather
    // than ignored without a word.
    if (options.Bytes) {
        for (const std::wstring& arg : args) {
            if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) continue;
            std::wstring name = Lower(arg.substr(1));
            if (name == L"nodate" || name == L"nosize" || name == L"nocontents" ||
                name == L"all" || name == L"targetonly" || name.compare(0, 8, L"exclude:") == 0) {
                reason = L"/bytes と一緒には使えないオプションです: " + arg;
                return false;
            }
        }
    }
    if (!options.Bytes && !options.Diff && !options.CompDate && !options.CompSize && !options.CompContents) {
        reason = L"比較するものがありません。";
        return false;
    }
    if (options.Append && options.CsvPath.empty()) {
        reason = L"/append には /csv:FILE が必要です。";
        return false;
    }
    options.Reference = paths[0];
    options.Target = paths[1];
    return true;
}
