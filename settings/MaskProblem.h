#pragma once
#include <string>

// Why an exclusion mask cannot be used ("" when it can): empty, or holding a character
// that no name has (one "\" at the end is allowed: it marks a folder mask). The mask is
// read as UTF-16, so any character a name can hold can stand in it.
std::string MaskProblem(const std::wstring& mask);
