// The help calls of the configuration dialog and its pages (see help.h). Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_choice.h"
#include "config_ui/help_ids.h"
#include "host/host_state.h"
#include "host/language.h"
#include "host/system.h"
#include <htmlhelp.h>

namespace {

// HTML Help's entry point, from the system's hhctrl.ocx: the program imports nothing of it. The
// paths go in UTF-16: the program may lie in a folder that the code page cannot spell (a user's).
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The help system, chosen at the first request and kept for the process. The files' paths are
// worked out again at each request instead of being kept: static data costs the file its size.
struct HelpState {
  bool chosen;
  HtmlHelpFn htmlHelp;  // null: WinHelp
  bool htmlHelpUsed;
};
HelpState Help;

// How long the end of the dialog waits for the viewer to take its windows down.
constexpr DWORD ViewerCloseWaitMs = 2000;
// How often it looks meanwhile.
constexpr DWORD ViewerLookMs = 20;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// HTML Help, with the paths it is given in `files`; null: WinHelp.
HtmlHelpFn ChosenHtmlHelp(HtmlHelpFiles* files) {
  wchar_t program[MAX_PATH];
  if (!ModulePath(HostInstance, program, MAX_PATH) ||
      ChooseHelp(WindowsMajorVersion, reinterpret_cast<const char16_t*>(program), HtmlHelpFileOf(UiLanguage), files) !=
          HelpSystem::Chm)
    return nullptr;
  if (Help.chosen) return Help.htmlHelp;
  Help.chosen = true;
  if (GetFileAttributesW(Wide(files->file)) == INVALID_FILE_ATTRIBUTES) return nullptr;
  HMODULE viewer = LoadSystemLibrary("hhctrl.ocx");
  if (!viewer) return nullptr;
  Help.htmlHelp = ProcAddress<HtmlHelpFn>(viewer, "HtmlHelpW");
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
  HtmlHelpFiles files;
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp(&files)) {
    Help.htmlHelpUsed = true;
    htmlHelp(dialog, Wide(files.file), HH_DISPLAY_TOC, 0);
    return;
  }
  WinHelpA(dialog, HelpFileOf(UiLanguage), HELP_FINDER, 0);
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
  HtmlHelpFiles files;
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp(&files)) {
    Help.htmlHelpUsed = true;
    htmlHelp(control, Wide(files.popups), HH_TP_HELP_WM_HELP, reinterpret_cast<DWORD_PTR>(table));
    return;
  }
  WinHelpA(control, HelpFileOf(UiLanguage), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table));
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
