#include "toolkit/CodePage.h"

#include <cwchar>
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
    bool plain = true;
    for (size_t i = 0; i < length && plain; ++i)
        plain = text[i] < 0x80;
    if (plain) {
        form.assign(text, text + length);
        return true;
    }
    // A file name (at most 259 units, each at most two bytes) converts on the stack.
    char narrow[1024];
    wchar_t back[512];
    int size = static_cast<int>(length);
    BOOL usedDefault = FALSE;
    if (length < sizeof back / sizeof back[0]) {
        int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, narrow,
                                        sizeof narrow, nullptr, &usedDefault);
        form.assign(narrow, static_cast<size_t>(bytes));
        if (usedDefault) return false;
        // Characters that share one code (the code page's duplicates) come back as another.
        int units =
            MultiByteToWideChar(CP_ACP, 0, narrow, bytes, back, sizeof back / sizeof back[0]);
        return static_cast<size_t>(units) == length && std::wmemcmp(back, text, length) == 0;
    }
    int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, nullptr, 0, nullptr, nullptr);
    form.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, form.data(), bytes, nullptr,
                        &usedDefault);
    return !usedDefault && WideOf(form) == std::wstring(text, length);
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

std::string Utf8Of(const std::wstring& text)
{
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring WideOfUtf8(const std::string& utf8)
{
    if (utf8.empty()) return {};
    int size = static_cast<int>(utf8.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}
