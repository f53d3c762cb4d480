// Process entry, mode dispatch and the fault guard around the mode. Main thread only.
#include "config_ui/config_dialog.h"
#include "host/away.h"
#include "host/command_line.h"
#include "host/host_state.h"
#include "host/password.h"
#include "host/saver_window.h"
#include "host/system.h"
#include "resources/resource.h"
#ifdef VORLUX_FAULT_TEST
#include "render/glyphs.h"
#include <string.h>
#endif

static int32_t SaverMain(HINSTANCE instance, HINSTANCE previousInstance, const char* tail, int showCommand);
static int32_t RunPreview(const char* text);
static int32_t RunConfigDialog(HWND owner);

// The program's main routine: rebuilds the command tail itself, runs SaverMain and ends the process
// with its result. Never returns.
static void SaverEntry() {
  char ownPath[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, ownPath, sizeof ownPath);
  if (length == 0 || length >= sizeof ownPath) ownPath[0] = '\0';
  const char* tail = SkipProgramName(GetCommandLineA(), NextChar, ownPath);
  // No mode shows its window as the starter asks: the show command is not read.
  int32_t result = SaverMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWDEFAULT);
  // Straight out: the run-time's own exit processing is not wanted after a mode has run.
  ExitProcess(static_cast<UINT>(result));
}

// The fault guard. GCC has no __try/__except, so the guard is a top-level exception filter,
// installed for the length of the mode. It asks the system's UnhandledExceptionFilter, as an
// __except filter would, and when that says to run the handler it switches the screen-saver-running
// state off (on the consumer platform a crashed saver would otherwise leave Ctrl+Alt+Del disabled)
// and ends the process with the exception code. The filter is process-wide, so a fault on the
// render thread is covered too, which the frame-based guard would not have done.
static LPTOP_LEVEL_EXCEPTION_FILTER PreviousFilter = nullptr;

static LONG WINAPI SaverFaultFilter(EXCEPTION_POINTERS* info) {
  // The system's filter calls the top-level filter itself: put the previous one back first.
  SetUnhandledExceptionFilter(PreviousFilter);
  LONG answer = UnhandledExceptionFilter(info);
  if (answer == EXCEPTION_EXECUTE_HANDLER) {
    SetSaverRunning(0);
    ExitProcess(info->ExceptionRecord->ExceptionCode);
  }
  SetUnhandledExceptionFilter(SaverFaultFilter);
  return answer;
}

#ifdef VORLUX_FAULT_TEST
// Test build only: a full-screen start that switches the running state on, as a run with a
// password does, and then faults, so the tests can see the guard at work.
static int32_t RunFaultingSaver() {
  LoadPasswordVerifier();
  *reinterpret_cast<volatile int*>(static_cast<uintptr_t>(0x10)) = 1;
  return 0;
}

// Test build only, "/s stuck": a full-screen run whose outline service never returns, as one
// given a deviation it cannot meet, so the tests can see that closing does not wait for ever.
static BOOL WINAPI NeverReturningOutlines(HDC, DWORD, DWORD, DWORD, FLOAT, FLOAT, int, LPGLYPHMETRICSFLOAT) {
  for (;;) Sleep(INFINITE);
}
#endif

static int32_t RunMode(const char* tail) {
  ModeChoice choice = ParseMode(tail);
  switch (choice.mode) {
    case SaverMode::Configure:
      return RunConfigDialog(nullptr);
    case SaverMode::ConfigureOwned:
      return RunConfigDialog(GetForegroundWindow());
    case SaverMode::Saver:
#ifdef VORLUX_FAULT_TEST
      if (!strstr(choice.rest, "stuck")) return RunFaultingSaver();
      UseFontOutlines = NeverReturningOutlines;
#endif
      return RunSaver(nullptr);
    case SaverMode::Preview:
      return RunPreview(choice.rest);
    case SaverMode::Away:
      return RunAway(choice.rest);
    case SaverMode::ChangePassword:
      if (!ConsumerPlatform) return -1;
      return ChangePassword(choice.rest);
    case SaverMode::Invalid:
    default:
      return -1;
  }
}

// Runs the one mode the command tail names; returns its result (the exit code; -1: no mode).
static int32_t SaverMain(HINSTANCE instance, HINSTANCE, const char* tail, int) {
  HostInstance = instance;
  TestWindowsVersion();
  ChooseUiLanguage();
  PreviousFilter = SetUnhandledExceptionFilter(SaverFaultFilter);
  int32_t result = RunMode(tail);
  SetUnhandledExceptionFilter(PreviousFilter);
  return result;
}

static int32_t RunPreview(const char* text) {
  HWND parent = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseWindowHandle(text)));
  // The desktop is a window, but no display-settings dialog passes it: a "preview" there would
  // cover the screen and, being a preview, never close on input.
  if (!parent || parent == GetDesktopWindow() || !IsWindow(parent)) return -1;
  return RunSaver(parent);
}

// A Unicode dialog, so that its caption and the words in its combo box read right on every code
// page; the consumer platform has only the ANSI one. In the language of the texts.
static int32_t RunConfigDialog(HWND owner) {
  const DLGTEMPLATE* dialog = DialogTemplate(IDD_CONFIG);
  if (!dialog) return -1;
  return static_cast<int32_t>((ConsumerPlatform ? DialogBoxIndirectParamA : DialogBoxIndirectParamW)(
      HostInstance, dialog, owner, SaverConfigDialogProc, 0));
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SaverEntry();
  return 0;  // not reached: SaverEntry ends the process
}
