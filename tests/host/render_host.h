// A stand-in for the saver's windows, for tests and benchmarks of the renderer: a GL window whose
// first paint starts the render thread on its device context, as the GL child window does, and
// whose destruction stops the thread and waits for it while serving messages.
#pragma once
#include <windows.h>

enum class HostShape {
  TopLevel,  // the GL window is a top-level window of its own
  Child,     // the GL window is a child of a full-screen pop-up, as in the saver
};

// Sets the saver and child sizes in SaverState (child: two thirds, truncated), creates the windows
// and shows the GL window, which opens the settings key, seeds Text with DefaultText and starts
// the render thread on its first paint. SaverState must be cleared and its strings loaded.
// Returns the GL window, or null.
HWND OpenRenderHost(HostShape shape, int saverWidth, int saverHeight);

// Dispatches this thread's messages for the given time (the render thread's MoveWindow needs it).
void PumpMessages(DWORD milliseconds);

// Destroys the windows; returns the render thread's exit code, or STILL_ACTIVE if none ran.
DWORD CloseRenderHost();
