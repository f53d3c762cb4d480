// The program's side of the saver window: its procedure, and the GL child window in which the
// render thread draws. Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>

// Registers the child class and creates the child window two thirds the saver window's size
// (SaverRun's) at its top-left corner, shown and painted (which starts the render thread). Without
// a saver window, a top-level window of that size instead (the render benchmark's). 1 on success,
// else 0.
int CreateGlWindow(HINSTANCE instance, HWND saverWindow);
LRESULT CALLBACK GlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the GL child does when its destruction finds that the render thread has not come back in
// time: end the run at once (EndSaverRunNow). The tests, whose process must go on, put a stand-in
// here.
extern void (*EndRunNow)(int32_t result);
