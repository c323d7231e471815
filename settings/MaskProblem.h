#pragma once
#include <string>

// Why an exclusion mask cannot be used ("" when it can): empty, or holding a character
// that no name has (one "\" at the end is allowed: it marks a folder mask).
std::string MaskProblem(const std::string& mask);
