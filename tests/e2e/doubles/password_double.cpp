// Test double of the system's PASSWORD.CPL: VerifyScreenSavePwd answers what the test put in the
// registry and records each call there.
#include "double_registry.h"
#include <stdint.h>

// Values under the test key. In: VerifyAnswer (what to answer, default 0), PostKeyOnReturn (1: post
// one WM_KEYDOWN to the given window before answering; used once, then cleared). Out: Loads,
// VerifyCalls, VerifyWindow (the window given, low 32 bits), RunningAtVerify (the system's
// screen-saver-running state seen during the call), CursorAfterVerify (1: a cursor is set, 2:
// none, once the saver's message loop runs again after the call).

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent("PasswordLoads");
  return TRUE;
}

// A message-only window of the double's in the saver's thread: a message posted to it is the
// first thing the saver's message loop takes after the verification (posted messages come before
// paints and timers), so it sees the cursor as the saver left it.
constexpr UINT RecordCursorMessage = WM_APP + 1;

static LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != RecordCursorMessage) return DefWindowProcA(window, message, wParam, lParam);
  WriteDoubleDword("CursorAfterVerify", GetCursor() ? 1 : 2);
  return 0;
}

static HWND Recorder() {
  static HWND recorder = nullptr;
  if (recorder) return recorder;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.hInstance = GetModuleHandleA("PASSWORD.CPL");
  windowClass.lpszClassName = "VorluxPasswordDoubleRecorder";
  RegisterClassA(&windowClass);
  recorder = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
  return recorder;
}

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  CountDoubleEvent("VerifyCalls");
  WriteDoubleDword("VerifyWindow", static_cast<DWORD>(reinterpret_cast<uintptr_t>(window)));
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  WriteDoubleDword("RunningAtVerify", running ? 1 : 0);
  // A close request arriving right after the refusal, without depending on the driver's timing.
  if (ReadDoubleValue("PostKeyOnReturn", 0)) {
    WriteDoubleDword("PostKeyOnReturn", 0);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
  }
  // The system's password dialog shows the cursor; the saver must hide it again after a refusal.
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  PostMessageA(Recorder(), RecordCursorMessage, 0, 0);
  return ReadDoubleValue("VerifyAnswer", 0) ? TRUE : FALSE;
}
