#include "toolkit/CodePage.h"

#include <windows.h>

std::wstring WideOf(const std::string& text)
{
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

bool CodePageForm(const wchar_t* text, size_t length, std::string& form)
{
    form.clear();
    if (length == 0) return true;
    int size = static_cast<int>(length);
    bool plain = true;
    for (size_t i = 0; i < length && plain; ++i)
        plain = text[i] < 0x80;
    if (plain) {
        form.assign(text, text + length);
        return true;
    }
    BOOL usedDefault = FALSE;
    int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, nullptr, 0, nullptr, nullptr);
    form.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, form.data(), bytes, nullptr,
                        &usedDefault);
    if (usedDefault) return false;
    // Characters that share one code (the code page's duplicates) come back as another.
    return WideOf(form) == std::wstring(text, length);
}

bool CodePageForm(const std::wstring& text, std::string& form)
{
    return CodePageForm(text.data(), text.size(), form);
}

std::string CodePageText(const std::wstring& text)
{
    std::string form;
    CodePageForm(text, form);
    return form;
}
