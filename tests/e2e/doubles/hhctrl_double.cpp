// Test double of the system's hhctrl.ocx: HtmlHelpA records each call in the registry, by command.
#include "double_registry.h"
#include <htmlhelp.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

// Values under the test key, for each command N (decimal): HtmlHelpNCalls, HtmlHelpNCaller (the
// window, low 32 bits), HtmlHelpNFile (text; absent when null) and HtmlHelpNData: for
// HH_TP_HELP_WM_HELP the table of pairs up to its pair of zeros (binary), else the number (low 32
// bits). HtmlHelpLoads counts the loads.

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent("HtmlHelpLoads");
  return TRUE;
}

static void Record(UINT command, const char* what, DWORD type, const void* data, DWORD size) {
  char name[64];
  snprintf(name, sizeof name, "HtmlHelp%u%s", command, what);
  WriteDoubleValue(name, type, data, size);
}

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  char calls[64];
  snprintf(calls, sizeof calls, "HtmlHelp%uCalls", command);
  CountDoubleEvent(calls);
  DWORD window = static_cast<DWORD>(reinterpret_cast<uintptr_t>(caller));
  Record(command, "Caller", REG_DWORD, &window, sizeof window);
  if (file) Record(command, "File", REG_SZ, file, static_cast<DWORD>(strlen(file) + 1));
  if (command == HH_TP_HELP_WM_HELP && data) {
    const DWORD* pairs = reinterpret_cast<const DWORD*>(data);
    DWORD count = 0;
    while (pairs[count] || pairs[count + 1]) count += 2;
    Record(command, "Data", REG_BINARY, pairs, count * sizeof(DWORD));
  } else {
    DWORD number = static_cast<DWORD>(data);
    Record(command, "Data", REG_DWORD, &number, sizeof number);
  }
  return nullptr;
}
