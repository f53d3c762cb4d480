// The rules of an away run (/w): which word a key in the chooser starts, the time after the saver
// window appears in which input does not end the run, and how long the run waits for the lock.
// Pure: no Win32 types.
#pragma once
#include <stdint.h>

constexpr int32_t AwayWordCount = 6;

// The word a key pressed in the chooser starts at once: the digits 1 to 6 of the main keys or of
// the number pad give 1 to 6; any other virtual-key code 0.
int32_t AwayWordOfKey(uint32_t virtualKey);

// Input this soon after the window appeared is the user leaving, not someone coming: the key that
// started the run and its release, a mouse nudged while getting up.
constexpr uint32_t AwayGraceMs = 2000;
// True while input at `now` (a tick count, which wraps) is within the grace after `shownAt`.
bool InAwayGrace(uint32_t now, uint32_t shownAt);

// How long the saver keeps the screen covered after asking for the lock, waiting for the system to
// report it: the desktop is never seen between the key and the lock screen.
constexpr uint32_t LockReportWaitMs = 3000;
