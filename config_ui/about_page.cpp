// The about page: the product name, file version and copyright line from the program's version
// resource, its icon (from the template) and the about text. Edits nothing. Main thread only.
#include "config_ui/pages.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include <stdio.h>
#include <string.h>

namespace {

const char VersionKeyPrefix[] = "\\StringFileInfo\\041104b0\\";

// The controls hold the names of the strings they show until they are filled.
const int VersionFields[] = {IDC_PRODUCT_NAME, IDC_FILE_VERSION, IDC_COPYRIGHT};

void ShowVersionString(HWND page, int control, void* block) {
  char name[256] = "";
  GetDlgItemTextA(page, control, name, sizeof name);
  char query[sizeof VersionKeyPrefix + sizeof name];
  snprintf(query, sizeof query, "%s%s", VersionKeyPrefix, name);
  char* found = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block, query, reinterpret_cast<void**>(&found), &length) && found && length) {
    char text[256];
    size_t shown = length < sizeof text ? length : sizeof text - 1;  // the length counts the NUL
    memcpy(text, found, shown);
    text[shown] = '\0';
    SetDlgItemTextA(page, control, text);
  } else {
    char text[32];
    snprintf(text, sizeof text, "Error %lu", static_cast<unsigned long>(GetLastError()));
    SetDlgItemTextA(page, control, text);
  }
}

// False when the file has no version information (or no memory for it): the fields keep the
// names, and the about text is not shown either.
bool ShowVersionStrings(HWND page) {
  char path[256] = "";
  GetModuleFileNameA(HostInstance, path, sizeof path);
  DWORD unused = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &unused);
  if (size == 0) return false;
  void* block = HeapAlloc(GetProcessHeap(), 0, size);
  if (!block) return false;
  GetFileVersionInfoA(path, 0, size, block);
  for (int control : VersionFields) ShowVersionString(page, control, block);
  HeapFree(GetProcessHeap(), 0, block);
  return true;
}

// The resource is UTF-16 without a terminator: the text is exactly its size.
void ShowAboutText(HWND page) {
  HRSRC found = FindResourceA(HostInstance, MAKEINTRESOURCEA(IDR_ABOUTTEXT), "ABOUTTEXT");
  if (!found) return;
  HGLOBAL loaded = LoadResource(HostInstance, found);
  if (!loaded) return;
  DWORD length = SizeofResource(HostInstance, found) / sizeof(wchar_t);
  const wchar_t* units = static_cast<const wchar_t*>(LockResource(loaded));
  // Room for the text, and for it in a double-byte code page on the consumer platform.
  wchar_t* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * 3 * sizeof(wchar_t)));
  if (units && text) {
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
  FreeResource(loaded);
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
