// An away run (/w): the word chosen for it on the screen at once, as the full-screen saver draws
// the selected one, and the session locked when someone comes back. Main thread only: the GL child
// copies the word into SaverState before the render thread starts.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/settings.h"

struct AwayRunRecord {
  int32_t word;                  // 1 to 6 in an away run, 0 in every other run
  wchar_t text[TextBufferSize];  // that word as the chooser shows it: its slot, or its preset
  int32_t lockOnReturn;          // input that ends the run locks the session first
  uint32_t shownAt;              // the tick count when the saver window appeared
};
extern AwayRunRecord AwayRun;

// Mode W: word N of the tail, or the one the chooser starts, for this run only (StringID and the
// slots stay as they are). The full-screen saver's result; 0 when the chooser was cancelled or
// another full-screen saver runs (it is brought forward), -1 when the chooser could not be shown.
int32_t RunAway(const char* rest);

// True while input to the saver window is to be passed over: in an away run, within its grace.
bool AwayInputGraced();
// Where input would end the run: true when the close is to wait, because the session lock was
// asked for; false when the saver closes as it always does (no away run, no lock wanted, or the
// lock cannot be had).
bool LockDefersClose(HWND window);
// The saver window's messages while the close waits: true when the system reported the lock, or
// waited long enough, and the saver is to close now.
bool LockReported(HWND window, UINT message, WPARAM wParam);
// At the saver window's destruction: no longer told of session changes.
void EndLockWait(HWND window);
