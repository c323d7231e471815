#include "toolkit/CommonDialogs.h"

#include "toolkit/CodePage.h"

#include <algorithm>
#include <dlgs.h>
#include <vector>

namespace {
// Room for the longest path the platform accepts, in double-byte characters.
const size_t FileBufferSize = 32768 * 2 + 1;

bool RunFileDialog(bool save, HWND owner, const std::string& filter, std::string& fileName,
                   const std::string& defaultExt, const std::string& title, DWORD flags)
{
    std::string filters = FilterList(filter);
    std::vector<char> buffer(FileBufferSize, '\0');
    fileName.copy(buffer.data(), std::min(fileName.size(), FileBufferSize - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    fileName = buffer.data();
    return true;
}
} // namespace

std::string FilterList(const std::string& filter)
{
    if (filter.empty()) return {};
    std::string list;
    for (size_t i = 0; i < filter.size(); ++i) {
        char c = filter[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < filter.size()) {
            list += c;
            list += filter[++i];
        } else {
            list += c == '|' ? '\0' : c;
        }
    }
    list += '\0';
    list += '\0';
    return list;
}

bool OpenFileDialog::Execute(HWND owner)
{
    return RunFileDialog(false, owner, Filter, FileName, DefaultExt, Title, 0);
}

bool SaveFileDialog::Execute(HWND owner)
{
    return RunFileDialog(true, owner, Filter, FileName, DefaultExt, Title,
                         OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
}

bool FontDialog::Execute(HWND owner)
{
    LOGFONTA chosen = Font;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &chosen;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&cf)) return false;
    Font = chosen;
    return true;
}

bool ColorDialog::Execute(HWND owner)
{
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = Color;
    cc.lpCustColors = CustomColors;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    Color = cc.rgbResult;
    return true;
}

namespace {
// Appends words to a template, and then UTF-16 text with its NUL.
struct TemplateWriter {
    std::vector<WORD> Words;
    void Add(std::initializer_list<WORD> words) { Words.insert(Words.end(), words); }
    void AddDword(DWORD value) { Add({LOWORD(value), HIWORD(value)}); }
    void AddText(const std::wstring& text)
    {
        Words.insert(Words.end(), text.begin(), text.end());
        Words.push_back(0);
    }
    void AlignToDword()
    {
        if (Words.size() % 2) Words.push_back(0);
    }
};
} // namespace

void DialogCheckBox::Attach(OPENFILENAMEA& request)
{
    // A child dialog of one auto check box; the dialog places it below its own controls.
    const std::wstring caption = WideOf(Caption);
    TemplateWriter t;
    t.AddDword(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT);
    t.AddDword(0);             // extended style
    t.Add({1, 0, 0, 200, 16}); // one item; x, y, cx, cy
    t.Add({0, 0});             // no menu, default class
    t.AddText(L"");            // no title
    t.Add({9});                // the dialog's font, in points
    t.AddText(L"MS Shell Dlg");
    t.AlignToDword();
    t.AddDword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    t.AddDword(0);
    t.Add({5, 2, 190, 12, Id});
    t.Add({0xFFFF, 0x0080}); // a button
    t.AddText(caption);
    t.Add({0}); // no creation data
    template_.assign((t.Words.size() + 1) / 2, 0);
    std::copy(t.Words.begin(), t.Words.end(), reinterpret_cast<WORD*>(template_.data()));
    request.hInstance = reinterpret_cast<HINSTANCE>(template_.data());
    request.lpfnHook = Hook;
    request.lCustData = reinterpret_cast<LPARAM>(this);
    request.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
}

DialogCheckBox* DialogCheckBox::Of(const OPENFILENAMEA& request)
{
    if (!(request.Flags & OFN_ENABLETEMPLATEHANDLE) || request.lpfnHook != Hook) return nullptr;
    return reinterpret_cast<DialogCheckBox*>(request.lCustData);
}

UINT_PTR CALLBACK DialogCheckBox::Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<DialogCheckBox*>(GetWindowLongPtrA(child, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        box =
            reinterpret_cast<DialogCheckBox*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
        CheckDlgButton(child, Id, box->Checked ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    case WM_NOTIFY: {
        // Under the file type's box, where a person looks for how the file is written.
        if (reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE) break;
        HWND dialog = GetParent(child);
        HWND types = GetDlgItem(dialog, cmb1), check = GetDlgItem(child, Id);
        RECT r{}, own{};
        if (!types || !check || !GetWindowRect(types, &r) || !GetWindowRect(check, &own)) break;
        MapWindowPoints(HWND_DESKTOP, child, reinterpret_cast<POINT*>(&r), 2);
        MapWindowPoints(HWND_DESKTOP, child, reinterpret_cast<POINT*>(&own), 2);
        if (r.left > own.left)
            SetWindowPos(check, nullptr, r.left, own.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        break;
    }
    case WM_COMMAND:
        if (box && LOWORD(wParam) == Id && HIWORD(wParam) == BN_CLICKED)
            box->Checked = IsDlgButtonChecked(child, Id) == BST_CHECKED;
        break;
    }
    return 0;
}
