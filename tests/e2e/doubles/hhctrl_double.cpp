// Test double of the system's hhctrl.ocx: HtmlHelpW records each call in the registry, by command,
// and keeps a viewer window on a thread of its own, as HTML Help does.
#include "double_registry.h"
#include <htmlhelp.h>
#include <stdint.h>
#include <stdio.h>

// Values under the test key. HtmlHelpLoads; for each command N (decimal): HtmlHelpNCalls,
// HtmlHelpNCaller (the window, low 32 bits), HtmlHelpNFile (UTF-16 text; absent when null) and
// HtmlHelpNData: for HH_TP_HELP_WM_HELP the table of pairs up to its pair of zeros (binary), else
// the number (low 32 bits). HtmlHelpViewerClosed: 1 once the viewer has taken its window down,
// which it does a moment after HH_CLOSE_ALL, as a real viewer may.

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent("HtmlHelpLoads");
  return TRUE;
}

static HWND Viewer = nullptr;

static LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Sleep(300);
      WriteDoubleDword("HtmlHelpViewerClosed", 1);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Shown without taking the activation, so that the dialog keeps the keyboard.
static DWORD WINAPI ViewerThread(void* ready) {
  WNDCLASSA viewerClass = {};
  viewerClass.lpfnWndProc = ViewerProc;
  viewerClass.hInstance = GetModuleHandleA("hhctrl.ocx");
  viewerClass.lpszClassName = "VorluxHtmlHelpDoubleViewer";
  RegisterClassA(&viewerClass);
  Viewer = CreateWindowExA(WS_EX_NOACTIVATE, viewerClass.lpszClassName, "viewer", WS_POPUP, 0, 0, 100, 100, nullptr,
                           nullptr, viewerClass.hInstance, nullptr);
  ShowWindow(Viewer, SW_SHOWNOACTIVATE);
  SetEvent(ready);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

static void OpenViewer() {
  if (Viewer) return;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (HANDLE thread = CreateThread(nullptr, 0, ViewerThread, ready, 0, nullptr)) {
    WaitForSingleObject(ready, 5000);
    CloseHandle(thread);
  }
  CloseHandle(ready);
}

static void Record(UINT command, const char* what, DWORD type, const void* data, DWORD size) {
  char name[64];
  snprintf(name, sizeof name, "HtmlHelp%u%s", command, what);
  WriteDoubleValue(name, type, data, size);
}

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
  char name[64];
  snprintf(name, sizeof name, "HtmlHelp%uCalls", command);
  CountDoubleEvent(name);
  DWORD window = static_cast<DWORD>(reinterpret_cast<uintptr_t>(caller));
  Record(command, "Caller", REG_DWORD, &window, sizeof window);
  if (file) {
    snprintf(name, sizeof name, "HtmlHelp%uFile", command);
    WriteDoubleText(name, file);
  }
  if (command == HH_TP_HELP_WM_HELP && data) {
    const DWORD* pairs = reinterpret_cast<const DWORD*>(data);
    DWORD count = 0;
    while (pairs[count] || pairs[count + 1]) count += 2;
    Record(command, "Data", REG_BINARY, pairs, count * sizeof(DWORD));
  } else {
    DWORD number = static_cast<DWORD>(data);
    Record(command, "Data", REG_DWORD, &number, sizeof number);
  }
  if (command != HH_CLOSE_ALL)
    OpenViewer();
  else if (Viewer)
    PostMessageA(Viewer, WM_CLOSE, 0, 0);
  return nullptr;
}
