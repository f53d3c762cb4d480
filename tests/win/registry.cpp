// The tests' registry helpers (see registry.h).
#include "tests/win/registry.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

void DeleteKey(const char* path) {
  LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << path << ": " << status;
}

void SetRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size, HKEY root) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
      << path;
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size)) << name;
  RegCloseKey(key);
}

void SetRawWide(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
      << path;
  std::wstring wide(name, name + strlen(name));  // value names are ASCII
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, wide.c_str(), 0, type, static_cast<const BYTE*>(data), size)) << name;
  RegCloseKey(key);
}

void SetDword(const char* path, const char* name, DWORD value, HKEY root) {
  SetRaw(path, name, REG_DWORD, &value, sizeof value, root);
}

void SetText(const char* path, const char* name, const char* text, HKEY root) {
  SetRaw(path, name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1), root);
}

void DeleteValue(const char* path, const char* name) {
  LSTATUS status = RegDeleteKeyValueA(HKEY_CURRENT_USER, path, name);
  ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << path << "\\" << name << ": " << status;
}

bool GetRaw(const char* path, const char* name, DWORD* type, std::string* bytes) {
  // The bytes as stored: RegGetValue would add a terminator that a text lacks.
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    bytes->assign(size, '\0');
    status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&(*bytes)[0]), &size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

DWORD GetNumber(const char* path, const char* name, DWORD missing) {
  char data[64] = "";
  DWORD type = 0, size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, path, name, RRF_RT_REG_DWORD | RRF_RT_REG_SZ, &type, data, &size) !=
      ERROR_SUCCESS)
    return missing;
  if (type == REG_DWORD) {
    DWORD value;
    memcpy(&value, data, sizeof value);
    return value;
  }
  return strtoul(data, nullptr, 10);
}

std::string GetText(const char* path, const char* name) {
  char data[256] = "";
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, path, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return "";
  return data;
}

std::wstring GetWideText(const char* path, const char* name) {
  std::wstring wide(path, path + strlen(path)), wideName(name, name + strlen(name));  // ASCII
  wchar_t data[512] = L"";
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, wide.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return L"";
  return data;
}

std::vector<float> GetFloats(const char* path, const char* name) {
  DWORD type = 0;
  std::string bytes;
  if (!GetRaw(path, name, &type, &bytes) || type != REG_BINARY) return {};
  std::vector<float> floats(bytes.size() / sizeof(float));
  memcpy(floats.data(), bytes.data(), floats.size() * sizeof(float));
  return floats;
}
