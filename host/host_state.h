// Host-wide values set once by the main thread before any mode runs, read everywhere after.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HINSTANCE HostInstance;      // the program's module
extern int32_t ConsumerPlatform;    // 1 on the consumer Windows line (95/98/Me), 0 on NT
