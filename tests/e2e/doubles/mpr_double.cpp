// Test double of the system's MPR.DLL: PwdChangePasswordA records its arguments in the registry.
#include "double_registry.h"
#include <stdint.h>
#include <string.h>

// Values under the test key. Out: MprLoads, ChangeCalls, ChangeProvider (text), ChangeOwner (the
// window, low 32 bits), ChangeArg3, ChangeArg4.

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent("MprLoads");
  return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD arg3, DWORD arg4) {
  CountDoubleEvent("ChangeCalls");
  if (provider) WriteDoubleValue("ChangeProvider", REG_SZ, provider, static_cast<DWORD>(strlen(provider) + 1));
  WriteDoubleDword("ChangeOwner", static_cast<DWORD>(reinterpret_cast<uintptr_t>(owner)));
  WriteDoubleDword("ChangeArg3", arg3);
  WriteDoubleDword("ChangeArg4", arg4);
  return 0;
}
