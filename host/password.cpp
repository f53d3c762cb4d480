// Password verification and change through the system's own components, loaded from the system
// folder.
#include "host/password.h"
#include "host/command_line.h"
#include "host/close_gate.h"
#include "host/host_state.h"
#include "host/system.h"

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

int32_t CloseAllowed = 0;
int32_t CheckInProgress = 0;

static HMODULE PasswordModule = nullptr;
static VerifyScreenSavePwdFn VerifyPasswordFn = nullptr;
static uint32_t LastCheckTick = NoCheckYet;

void UnloadPasswordVerifier() {
  if (!ConsumerPlatform || !PasswordModule) return;
  FreeLibrary(PasswordModule);
  PasswordModule = nullptr;
  if (VerifyPasswordFn) {
    VerifyPasswordFn = nullptr;
    SetSaverRunning(0);
  }
}

void LoadPasswordVerifier() {
  if (!ConsumerPlatform) return;
  if (PasswordModule) UnloadPasswordVerifier();
  HKEY desktop;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS) return;
  // The value's type plays no part: its bytes are a little-endian number.
  DWORD usePassword = 0, size = sizeof usePassword;
  if (RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&usePassword),
                       &size) == ERROR_SUCCESS &&
      usePassword != 0) {
    PasswordModule = LoadSystemLibrary("PASSWORD.CPL");
    if (PasswordModule) {
      VerifyPasswordFn = ProcAddress<VerifyScreenSavePwdFn>(PasswordModule, "VerifyScreenSavePwd");
      if (VerifyPasswordFn)
        SetSaverRunning(1);
      else
        UnloadPasswordVerifier();
    }
  }
  RegCloseKey(desktop);
}

int32_t MayCloseSaver(HWND window) {
  if (CheckInProgress || CloseAllowed) return 0;
  if (!VerifyPasswordFn) {
    CloseAllowed = 1;
    return 1;
  }
  if (RefusedWithoutAsking(GetTickCount(), LastCheckTick)) return 0;
  CheckInProgress = 1;
  // Timer messages that piled up while the user typed would reach the program in a burst.
  MSG msg;
  PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  CloseAllowed = SendMessageA(window, VerifyPasswordRequest, 0, 0) != 0 ? 1 : 0;
  CheckInProgress = 0;
  if (!CloseAllowed) SetCursor(nullptr);
  LastCheckTick = GetTickCount();
  return CloseAllowed;
}

LRESULT AnswerPasswordRequest(HWND window) {
  return VerifyPasswordFn ? VerifyPasswordFn(window) : 1;
}

int32_t ChangePassword(const char* text) {
  HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseWindowHandle(text)));
  if (!owner || !IsWindow(owner)) owner = GetForegroundWindow();
  HMODULE mpr = LoadSystemLibrary("MPR.DLL");
  if (!mpr) return 0;
  PwdChangePasswordFn change = ProcAddress<PwdChangePasswordFn>(mpr, "PwdChangePasswordA");
  if (change) change("SCRSAVE", owner, 0, 0);
  FreeLibrary(mpr);
  return 0;
}
