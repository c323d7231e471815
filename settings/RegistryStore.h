#pragma once
#include <string>

// The program's registry store: string values under HKEY_CURRENT_USER
// "Software\Brask\Vexil32", one subkey per section ("Environment", "Main").
// Every call opens the key anew and closes it again; a section is created
// at its first write. Reads of a missing key, section or value give the default.

// Key path below HKEY_CURRENT_USER.
extern const char* const RegistryRootPath;

bool ValueExists(const std::string& section, const std::string& name);

std::string ReadString(const std::string& section, const std::string& name,
                       const std::string& defaultValue);
// Decimal text of a signed 32-bit number; any other text gives the default.
int ReadInteger(const std::string& section, const std::string& name, int defaultValue);
// Read as an integer: non-zero is true; a text that is not a number gives the default.
bool ReadBool(const std::string& section, const std::string& name, bool defaultValue);

// Every value is stored as REG_SZ.
void WriteString(const std::string& section, const std::string& name, const std::string& value);
void WriteInteger(const std::string& section, const std::string& name, int value);
void WriteBool(const std::string& section, const std::string& name, bool value); // "0" / "1"

// Names the code page cannot hold are kept in values of their own, written as UTF-16.
// False (text untouched) when the value is missing or not a string value.
bool ReadRealString(const std::string& section, const std::string& name, std::wstring& text);
void WriteRealString(const std::string& section, const std::string& name,
                     const std::wstring& value);
void DeleteValue(const std::string& section, const std::string& name);
