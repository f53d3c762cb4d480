// Helpers of the Windows tests (registry set-up and table restore).
#include "tests/win/test_support.h"
#include "host/host_state.h"
#include "settings/settings.h"
#include <string.h>
#include <vector>

namespace {

struct BuiltInTables {
  std::vector<uint8_t> capStates;
  std::vector<std::vector<float>> vectors;
};

BuiltInTables Capture() {
  BuiltInTables t;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) t.capStates.push_back(row->state);
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row) {
    size_t n = row[1].valueName ? 4 : 1;
    t.vectors.emplace_back(row->vector, row->vector + n);
  }
  return t;
}

// Taken before any test can change the tables.
const BuiltInTables BuiltIn = Capture();

}  // namespace

void DeleteSettingsTree() {
  LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyRoot);
  ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << "RegDeleteTreeA: " << status;
  HKEY key;
  ASSERT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyRoot, 0, KEY_READ, &key));
}

void PutRawValue(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                           &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size)) << name;
  RegCloseKey(key);
}

void PutDword(const char* name, DWORD value) { PutRawValue(name, REG_DWORD, &value, sizeof value); }

void PutText(const char* name, const char* text) {
  PutRawValue(name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

bool GetRawValue(const char* name, DWORD* type, std::string* bytes) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    bytes->assign(size, '\0');
    status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&(*bytes)[0]), &size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void RestoreBuiltInTables() {
  size_t i = 0;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) row->state = BuiltIn.capStates[i++];
  i = 0;
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row, ++i)
    memcpy(row->vector, BuiltIn.vectors[i].data(), BuiltIn.vectors[i].size() * sizeof(float));
}

void FreshSettingsTest::SetUp() {
  ASSERT_EQ(932u, GetACP()) << "the tests expect Wine started with LANG=ja_JP.UTF-8";
  HostInstance = GetModuleHandleA(nullptr);
  memset(&SaverState, 0, sizeof SaverState);
  StringID = 0;
  RestoreBuiltInTables();
  LoadSaverStrings();
  DeleteSettingsTree();
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}
