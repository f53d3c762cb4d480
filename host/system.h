// The system's services that every part of the program may use, on any thread: the version test,
// components loaded at run time and the functions looked up in them, and the active code page's
// character walk.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "render/glyph_walk.h"

extern int32_t ConsumerPlatform;       // 1 on the consumer Windows line (95, 98, Me), 0 on NT
extern uint32_t WindowsMajorVersion;   // 4 up to NT 4 and Me, 5: 2000 and XP, 6: Vista on; 0 unknown

// The one version test: GetVersionExA, once, sets ConsumerPlatform (0 when it reports NT or fails)
// and WindowsMajorVersion (0 when it fails). The main thread runs it before any mode.
void TestWindowsVersion();

// The system's components that the program loads at run time, by their full path in the system
// folder: a file of the same name beside the program (an unpacked download, say) or in the current
// folder is never taken. The libraries they need in turn are looked for from the system folder
// too. Null when the component is missing.
HMODULE LoadSystemLibrary(const char* name);

// A function found by name in a module loaded at run time, or null. GetProcAddress gives a
// generic FARPROC; going through void (*)() says that the caller knows the real type.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The active ANSI code page's lead bytes, from GetCPInfo, asked afresh at each call (the render
// thread at each scene set-up, the configuration dialog when it cuts a text).
LeadByteTable ActiveLeadBytes();
// The next character of a text in the active code page (CharNextA): the CharAdvance that the
// pure walks over paths and command lines are given.
const char* NextChar(const char* text);
