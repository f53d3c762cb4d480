// The timing rule of the password gate. Pure: no Win32 types.
#pragma once
#include <stdint.h>

constexpr uint32_t NoCheckYet = 0xFFFFFFFFu;     // no verification has ended yet
constexpr uint32_t RefusalInterval = 200;        // ms after a verification in which a close is refused

// True when a close request at `now` comes within the interval after the verification that
// ended at `lastCheck`. Tick counts wrap after 49.7 days; unsigned subtraction takes that in.
bool RefusedWithoutAsking(uint32_t now, uint32_t lastCheck);
