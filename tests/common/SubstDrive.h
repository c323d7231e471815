#pragma once
#include <string>

// A drive letter standing for a folder, as subst makes one: a link in the Wine prefix's
// dosdevices, made and removed through Linux. Root is "M:\" once the drive answers,
// empty when it could not be made.
struct SubstDrive {
    std::string Root;

    SubstDrive(char letter, const std::string& folder);
    ~SubstDrive();
    SubstDrive(const SubstDrive&) = delete;
    SubstDrive& operator=(const SubstDrive&) = delete;

private:
    std::string link_; // Linux path of the link
};
