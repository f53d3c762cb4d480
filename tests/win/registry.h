// The registry as the Windows tests and the end-to-end driver set it up and read it back: any
// value under any key of the current user (or another root), exactly as given.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The program's settings key and the top of its path, which every test starts without.
constexpr const char* SettingsKeyPath = "SOFTWARE\\Pellam\\Vorlux\\1.00";
constexpr const char* SettingsRoot = "SOFTWARE\\Pellam";

// Deletes the key with everything below it; a missing key is no failure.
void DeleteKey(const char* path);
// Stores the bytes under the type as given, as a hostile or broken writer may, creating the key.
void SetRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size,
            HKEY root = HKEY_CURRENT_USER);
// The same through the Unicode call, so that the bytes of a text type are stored as they are, not
// taken as the code page's (the ANSI call converts them).
void SetRawWide(const char* path, const char* name, DWORD type, const void* data, DWORD size);
void SetDword(const char* path, const char* name, DWORD value, HKEY root = HKEY_CURRENT_USER);
// REG_SZ with its terminator.
void SetText(const char* path, const char* name, const char* text, HKEY root = HKEY_CURRENT_USER);
void DeleteValue(const char* path, const char* name);
// The value's type and bytes; false when it is missing.
bool GetRaw(const char* path, const char* name, DWORD* type, std::string* bytes);
// The value as a number (REG_DWORD, or REG_SZ digits), or `missing` when it is not there.
DWORD GetNumber(const char* path, const char* name, DWORD missing);
std::string GetText(const char* path, const char* name);  // through the ANSI call
std::wstring GetWideText(const char* path, const char* name);  // as the registry holds it
// A REG_BINARY of floats; empty when missing or of another type.
std::vector<float> GetFloats(const char* path, const char* name);
