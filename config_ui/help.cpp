// The help calls of the configuration dialog and its pages (see help.h). Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_choice.h"
#include "config_ui/help_ids.h"
#include "host/host_state.h"
#include "host/system.h"
#include <htmlhelp.h>

namespace {

// HTML Help's entry point, from the system's hhctrl.ocx: the program imports nothing of it.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The help system, chosen at the first request and kept for the process.
struct HelpState {
  bool chosen;
  HtmlHelpFn htmlHelp;  // null: WinHelp
  bool htmlHelpUsed;
  HtmlHelpFiles files;
};
HelpState Help;

// How long the end of the dialog waits for the viewer to take its windows down.
constexpr DWORD ViewerCloseWaitMs = 2000;
// How often it looks meanwhile.
constexpr DWORD ViewerLookMs = 20;

HtmlHelpFn ChosenHtmlHelp() {
  if (Help.chosen) return Help.htmlHelp;
  Help.chosen = true;
  char program[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(HostInstance, program, sizeof program);
  if (length == 0 || length >= sizeof program ||
      ChooseHelp(WindowsMajorVersion, program, NextChar, &Help.files) != HelpSystem::Chm ||
      GetFileAttributesA(Help.files.file) == INVALID_FILE_ATTRIBUTES)
    return nullptr;
  HMODULE viewer = LoadSystemLibrary("hhctrl.ocx");
  if (!viewer) return nullptr;
  Help.htmlHelp = ProcAddress<HtmlHelpFn>(viewer, "HtmlHelpA");
  if (!Help.htmlHelp) FreeLibrary(viewer);
  return Help.htmlHelp;
}

// A shown top-level window of this process on another thread: HTML Help's viewer runs on a thread
// of its own.
BOOL CALLBACK FindViewerWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  DWORD thread = GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || thread == GetCurrentThreadId() || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

bool ViewerWindowShown() {
  bool shown = false;
  EnumWindows(FindViewerWindow, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

}  // namespace

void ShowHelpContents(HWND dialog) {
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp()) {
    Help.htmlHelpUsed = true;
    htmlHelp(dialog, Help.files.file, HH_DISPLAY_TOC, 0);
    return;
  }
  WinHelpA(dialog, HelpFileName, HELP_FINDER, 0);
}

void ShowContextHelp(HWND window, LPARAM helpInfo, const uint32_t* table) {
  const HELPINFO* info = reinterpret_cast<const HELPINFO*>(helpInfo);
  if (info->iContextType != HELPINFO_WINDOW) return;
  // The help system looks the control's id up in the table, so the request must name the window's
  // own control: F1 in the combo box's text field names the field inside the combo box, whose id
  // (1001) is the details button's.
  HWND control = static_cast<HWND>(info->hItemHandle);
  if (IsChild(window, control))
    while (GetParent(control) != window) control = GetParent(control);
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp()) {
    Help.htmlHelpUsed = true;
    htmlHelp(control, Help.files.popups, HH_TP_HELP_WM_HELP, reinterpret_cast<DWORD_PTR>(table));
    return;
  }
  WinHelpA(control, HelpFileName, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table));
}

void CloseHelp() {
  if (!Help.htmlHelpUsed) return;
  Help.htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
  // The viewer takes its windows down on its own thread, and the process ends as soon as the
  // dialog has: it waits (for a bounded time, serving what the viewer sends it) until they are gone.
  DWORD start = GetTickCount();
  while (ViewerWindowShown() && GetTickCount() - start < ViewerCloseWaitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ViewerLookMs, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the messages sent to this thread
  }
}
