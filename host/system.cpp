// The system's services shared by every part of the program (see system.h).
#include "host/system.h"
#include <stdio.h>

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

int LoadText(HINSTANCE module, UINT id, wchar_t* out, int size) {
  if (size <= 0) return 0;
  out[0] = 0;
  if (!ConsumerPlatform) return LoadStringW(module, id, out, size);
  char ansi[1024] = "";
  if (!LoadStringA(module, id, ansi, sizeof ansi)) return 0;
  WideFromAnsi(ansi, out, size);
  return lstrlenW(out);
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
