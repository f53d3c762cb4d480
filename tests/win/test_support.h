// Helpers of the Windows tests: a fresh settings key per test, raw registry values written
// behind the store's back, and the built-in tables put back between tests in one process.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

// The settings key the program uses, and its top-level parent, deleted before each test.
constexpr const char* TestKeyPath = "SOFTWARE\\Pellam\\Vorlux\\1.00";
constexpr const char* TestKeyRoot = "SOFTWARE\\Pellam";

void DeleteSettingsTree();
// Writes a value under the settings key exactly as given (type and bytes), creating the key.
void PutRawValue(const char* name, DWORD type, const void* data, DWORD size);
void PutDword(const char* name, DWORD value);
void PutText(const char* name, const char* text);  // REG_SZ with its terminator
// Reads a value back; returns false when it is missing.
bool GetRawValue(const char* name, DWORD* type, std::string* bytes);

// Puts the GL switch states and the material/light vectors back to their built-in values.
void RestoreBuiltInTables();

// Clears SaverState, loads the strings of this test program (its resources are the program's)
// and deletes the settings key, as every run of the program starts.
class FreshSettingsTest : public testing::Test {
 protected:
  void SetUp() override;
};

// Shows bytes as hex so a failed comparison of multibyte text is readable.
std::string Hex(const std::string& bytes);
