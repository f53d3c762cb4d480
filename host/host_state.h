// Host-wide values set once by the main thread before any mode runs and read everywhere after.
#pragma once
#include <windows.h>

extern HINSTANCE HostInstance;  // the program's module

// Switches the system's screen-saver-running state (which, on the consumer platform, keeps
// Ctrl+Alt+Del and task switching away while a password is required). No effect on NT.
void SetSaverRunning(int on);
