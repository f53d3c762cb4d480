// Host-wide values set once by the main thread before any mode runs and read everywhere after,
// and the two small services the host's parts share.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "render/glyph_walk.h"

extern HINSTANCE HostInstance;      // the program's module
extern int32_t ConsumerPlatform;    // 1 on the consumer Windows line (95, 98, Me), 0 on NT

// 1 when GetVersionExA reports the consumer platform, 0 when it reports NT or fails.
int32_t TestConsumerPlatform();

// Switches the system's screen-saver-running state (which, on the consumer platform, keeps
// Ctrl+Alt+Del and task switching away while a password is required). No effect on NT.
void SetSaverRunning(int on);

// The active ANSI code page's lead bytes, from GetCPInfo, asked afresh at each call (on any
// thread: the render thread at each scene set-up, the configuration dialog when it cuts a text).
LeadByteTable ActiveLeadBytes();

// A function found by name in a module loaded at run time, or null. GetProcAddress gives a
// generic FARPROC; going through void (*)() says that the caller knows the real type.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
