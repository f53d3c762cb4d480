// The about page: the product name, file version and copyright line from the program's version
// resource, its icon (from the template) and the about text. Edits nothing. Main thread only.
#include "config_ui/pages.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include <stdio.h>
#include <string.h>

namespace {

// The block of the language of the texts: "\StringFileInfo\041104b0\" or "...040904b0\".
constexpr size_t VersionKeyPrefixSize = sizeof "\\StringFileInfo\\041104b0\\";

// The controls hold the names of the strings they show until they are filled.
const int VersionFields[] = {IDC_PRODUCT_NAME, IDC_FILE_VERSION, IDC_COPYRIGHT};

// The program's version information, read through its own path in UTF-16 on NT, which spells any
// folder; the consumer platform has only the ANSI calls, and its paths are in the code page. Null
// when the file has none (or there is no memory for it).
void* ReadVersionBlock() {
  wchar_t path[MAX_PATH];
  char ansiPath[2 * MAX_PATH];
  if (!ModulePath(HostInstance, path, MAX_PATH)) return nullptr;
  if (ConsumerPlatform) AnsiFromWide(path, ansiPath, sizeof ansiPath);
  DWORD unused = 0;
  DWORD size = ConsumerPlatform ? GetFileVersionInfoSizeA(ansiPath, &unused) : GetFileVersionInfoSizeW(path, &unused);
  void* block = size ? HeapAlloc(GetProcessHeap(), 0, size) : nullptr;
  if (block && !(ConsumerPlatform ? GetFileVersionInfoA(ansiPath, 0, size, block)
                                  : GetFileVersionInfoW(path, 0, size, block))) {
    HeapFree(GetProcessHeap(), 0, block);
    block = nullptr;
  }
  return block;
}

// One string of the block in its control, the way the block was read: in UTF-16 on NT.
void ShowVersionString(HWND page, int control, void* block) {
  char name[64] = "";
  GetDlgItemTextA(page, control, name, sizeof name);
  char query[VersionKeyPrefixSize + sizeof name];
  snprintf(query, sizeof query, "\\StringFileInfo\\%04x04b0\\%s", UiLanguage, name);
  void* found = nullptr;
  UINT length = 0;  // in characters, with the terminator
  if (ConsumerPlatform) {
    char text[256];
    if (VerQueryValueA(block, query, &found, &length) && found && length) {
      lstrcpynA(text, static_cast<const char*>(found), length < sizeof text ? length : sizeof text);
      SetDlgItemTextA(page, control, text);
      return;
    }
  } else {
    wchar_t wideQuery[sizeof query], text[256];
    WideFromAnsi(query, wideQuery, sizeof query);
    if (VerQueryValueW(block, wideQuery, &found, &length) && found && length) {
      lstrcpynW(text, static_cast<const wchar_t*>(found), length < 256 ? length : 256);
      SetDlgItemTextW(page, control, text);
      return;
    }
  }
  char text[32];
  snprintf(text, sizeof text, "Error %lu", static_cast<unsigned long>(GetLastError()));
  SetDlgItemTextA(page, control, text);
}

// False when the file has no version information (or no memory for it): the fields keep the
// names, and the about text is not shown either.
bool ShowVersionStrings(HWND page) {
  void* block = ReadVersionBlock();
  if (!block) return false;
  for (int control : VersionFields) ShowVersionString(page, control, block);
  HeapFree(GetProcessHeap(), 0, block);
  return true;
}

// The resource is UTF-16 without a terminator: the text is exactly its size.
void ShowAboutText(HWND page) {
  DWORD size = 0;
  const wchar_t* units = static_cast<const wchar_t*>(LanguageResource(HostInstance, "ABOUTTEXT", IDR_ABOUTTEXT, &size));
  if (!units) return;
  DWORD length = size / sizeof(wchar_t);
  // Room for the text, and for it in a double-byte code page on the consumer platform.
  wchar_t* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * 3 * sizeof(wchar_t)));
  if (text) {
    memcpy(text, units, length * sizeof(wchar_t));
    text[length] = 0;
    if (ConsumerPlatform) {
      char* ansi = reinterpret_cast<char*>(text + length + 1);
      AnsiFromWide(text, ansi, static_cast<int>(2 * (length + 1)));
      SetDlgItemTextA(page, IDC_ABOUT_TEXT, ansi);
    } else {
      SetDlgItemTextW(page, IDC_ABOUT_TEXT, text);
    }
  }
  if (text) HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      if (ShowVersionStrings(page)) ShowAboutText(page);
      return FALSE;
    default:
      return FALSE;
  }
}
