#pragma once
#include <string>

// Names between the program's code page and the UTF-16 the platform keeps them in.

// UTF-16 of a code-page text.
std::wstring WideOf(const std::string& text);
// The code-page form of a UTF-16 text: every character the code page cannot hold
// becomes "?", never a look-alike ("café" gives "caf?", not "cafe", which may name
// another file). False when that form does not give the text back.
bool CodePageForm(const wchar_t* text, size_t length, std::string& form);
bool CodePageForm(const std::wstring& text, std::string& form);
// The code-page form alone.
std::string CodePageText(const std::wstring& text);
// UTF-8 of a UTF-16 text.
std::string Utf8Of(const std::wstring& text);
std::wstring WideOfUtf8(const std::string& utf8);
