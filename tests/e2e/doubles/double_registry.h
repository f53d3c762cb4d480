// The doubles' side of the test key (HKCU\Software\VorluxTest): the test writes their answers
// there beforehand and reads what they saw afterwards. Header-only, so each double stays one file.
#pragma once
#include <windows.h>

constexpr const char* DoubleKeyPath = "Software\\VorluxTest";

inline DWORD ReadDoubleValue(const char* name, DWORD fallback) {
  DWORD value = fallback, size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, DoubleKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return fallback;
  return value;
}

inline HKEY CreateDoubleKey() {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, DoubleKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  return key;
}

inline void WriteDoubleValue(const char* name, DWORD type, const void* data, DWORD size) {
  if (HKEY key = CreateDoubleKey()) {
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
}

// A text as the Unicode calls store it, whatever the code page lacks (the name is ASCII).
inline void WriteDoubleText(const char* name, const wchar_t* text) {
  wchar_t wideName[64];
  MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 64);
  if (HKEY key = CreateDoubleKey()) {
    RegSetValueExW(key, wideName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (lstrlenW(text) + 1) * sizeof *text);
    RegCloseKey(key);
  }
}

inline void WriteDoubleDword(const char* name, DWORD value) { WriteDoubleValue(name, REG_DWORD, &value, sizeof value); }

inline void CountDoubleEvent(const char* name) { WriteDoubleDword(name, ReadDoubleValue(name, 0) + 1); }
