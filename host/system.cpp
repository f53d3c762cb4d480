// The system's services shared by every part of the program (see system.h).
#include "host/system.h"
#include "host/host_state.h"
#include "host/language.h"
#include <stdio.h>
#include <string.h>

int32_t ConsumerPlatform = 0;
uint32_t WindowsMajorVersion = 0;

void TestWindowsVersion() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  // GetVersionExA is deprecated for version checks, but the platform id is exactly what is asked,
  // and the manifest names the systems up to 11, so from 8.1 on it reports the real version.
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
  if (!GetVersionExA(&version)) {
    ConsumerPlatform = 0;
    WindowsMajorVersion = 0;
    return;
  }
  ConsumerPlatform = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
  WindowsMajorVersion = version.dwMajorVersion;
}

DWORD ModulePath(HMODULE module, wchar_t* path, DWORD size) {
  if (!ConsumerPlatform) {
    DWORD length = GetModuleFileNameW(module, path, size);
    return length < size ? length : 0;
  }
  char ansi[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, ansi, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  int converted = MultiByteToWideChar(CP_ACP, 0, ansi, -1, path, static_cast<int>(size));
  return converted > 0 ? static_cast<DWORD>(converted - 1) : 0;
}

const char* NextChar(const char* text) { return CharNextA(text); }

void AnsiFromWide(const wchar_t* text, char* out, int size) {
  if (size <= 0) return;
  int written = WideCharToMultiByte(CP_ACP, 0, text, -1, out, size, nullptr, nullptr);
  // Too long for the buffer: the call wrote what fitted, perhaps half a double-byte character.
  if (written == 0) out[size - 1] = '\0';
}

void WideFromAnsi(const char* text, wchar_t* out, int size) {
  if (size <= 0) return;
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, out, size) == 0) out[size - 1] = 0;
}

uint16_t UiLanguage = EnglishLanguage;

void ChooseUiLanguage() {
  // Windows 2000 and Me on know a display language apart from the locale; before, the system's
  // language is the display's.
  using UiLanguageFn = LANGID(WINAPI*)();
  auto display = ProcAddress<UiLanguageFn>(GetModuleHandleA("KERNEL32.DLL"), "GetUserDefaultUILanguage");
  UiLanguage = UiLanguageFor(display ? display() : GetSystemDefaultLangID());
}

// Found by language, not left to the system's loader: its choice follows the thread's locale on
// some systems and the display language's fall-backs on others, and Japanese is for Japanese only.
const void* LanguageResource(HINSTANCE module, LPCSTR type, UINT id, DWORD* size) {
  LPCSTR name = MAKEINTRESOURCEA(id);
  HRSRC found = FindResourceExA(module, type, name, UiLanguage);
  if (!found)
    found = FindResourceExA(module, type, name, UiLanguage == JapaneseLanguage ? EnglishLanguage : JapaneseLanguage);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (size) *size = bytes ? SizeofResource(module, found) : 0;
  return bytes;
}

const DLGTEMPLATE* DialogTemplate(UINT id) {
  return static_cast<const DLGTEMPLATE*>(LanguageResource(HostInstance, RT_DIALOG, id));
}

// A string table block holds strings id & ~15 to id | 15, each its length and then its UTF-16
// characters, on every platform.
int LoadText(HINSTANCE module, UINT id, wchar_t* out, int size) {
  if (size <= 0) return 0;
  out[0] = 0;
  DWORD bytes = 0;
  const WCHAR* entry = static_cast<const WCHAR*>(LanguageResource(module, RT_STRING, id / 16 + 1, &bytes));
  if (!entry) return 0;
  const WCHAR* end = entry + bytes / sizeof(WCHAR);
  for (UINT skip = id % 16; skip > 0 && entry < end; --skip) entry += 1 + *entry;
  if (entry >= end || entry + 1 + *entry > end) return 0;
  int length = *entry < size ? *entry : size - 1;
  memcpy(out, entry + 1, length * sizeof(WCHAR));
  out[length] = 0;
  return length;
}

// <system folder>\<name>; false when it does not fit.
static bool SystemPath(const char* name, char (&path)[MAX_PATH]) {
  UINT length = GetSystemDirectoryA(path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;
  int written = snprintf(path + length, sizeof path - length, "\\%s", name);
  return written > 0 && static_cast<size_t>(written) < sizeof path - length;
}

HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH];
  if (!SystemPath(name, path)) return nullptr;
  // With a full path the altered search order starts at the library's own folder, not the
  // program's, for the libraries it imports.
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
