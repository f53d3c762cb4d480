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

LeadByteTable ActiveLeadBytes() {
  CPINFO info = {};
  if (!GetCPInfo(CP_ACP, &info)) return LeadByteTable{};
  return LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES);
}

const char* NextChar(const char* text) { return CharNextA(text); }

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
