// Test double of the system's PASSWORD.CPL: VerifyScreenSavePwd answers what the test put in the
// registry and records each call there.
#include "double_registry.h"
#include <stdint.h>

// Values under the test key. In: VerifyAnswer (what to answer, default 0), PostKeyOnReturn (1: post
// one WM_KEYDOWN to the given window before answering; used once, then cleared). Out: Loads,
// VerifyCalls, VerifyWindow (the window given, low 32 bits), RunningAtVerify (the system's
// screen-saver-running state seen during the call).

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent("PasswordLoads");
  return TRUE;
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
  return ReadDoubleValue("VerifyAnswer", 0) ? TRUE : FALSE;
}
