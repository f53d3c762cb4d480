// The saver window of a run: a topmost full-screen pop-up, or a preview child of another
// program's window; its class procedure, its default message handling (closing on input,
// through the password gate) and the message loop. Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>

constexpr const char* SaverClassName = "WindowsScreenSaverClass";
constexpr const char* FullScreenTitle = "Screen Saver";
constexpr const char* PreviewTitle = "Preview";
// The largest movement, |dx| + |dy| in pixels, that does not close the saver.
constexpr uint32_t MouseMoveThreshold = 4;

extern HWND SaverWindowHandle;  // set when CreateWindowExA returns; 0 during WM_CREATE
extern int32_t PreviewMode;

// Runs the saver: full screen without a parent, a preview inside the parent otherwise. Returns
// the wParam of WM_QUIT (0), or 0 when another full-screen saver is already running.
int32_t RunSaver(HWND parent);
// A full-screen saver window that already exists is brought to the foreground: true, and this
// start does nothing more.
bool BringRunningSaverForward();
// Ends the process at once with the given exit code, as the end of RunSaver would: the password
// verifier unloaded and the screen-saver-running state switched off. For a run that cannot wait
// for its render thread.
void EndSaverRunNow(int32_t result);
LRESULT CALLBACK HostSaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The program's procedure for the saver window; it hands what it does not consume to
// DefaultSaverProc.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
