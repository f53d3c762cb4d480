// The renderer without the saver's host, for tests and benchmarks: the program's GL window
// (CreateGlWindow, GlWindowProc), whose first paint starts the render thread on its device context
// and whose destruction stops the thread, waits for it while serving messages and closes the
// settings key it opened.
#pragma once
#include <windows.h>

enum class HostShape {
  TopLevel,  // the GL window is a top-level window of its own
  Child,     // the GL window is a child of a full-screen pop-up, as in the saver
};

// Sets the saver size in SaverRun, creates the windows and shows the GL window (two thirds the
// saver's size), which opens the settings key, seeds Text with DefaultText and starts the render
// thread on its first paint. SaverState must be started (StartSaverState). Returns the GL window,
// or null.
HWND OpenRenderHost(HostShape shape, int saverWidth, int saverHeight);

// Dispatches this thread's messages for the given time (the render thread's MoveWindow needs it).
void PumpMessages(DWORD milliseconds);

// Destroys the windows; returns the render thread's exit code, STILL_ACTIVE if none ran, or RenderThreadOverdue when it did not end in time
// (where the saver would have ended its process).
DWORD CloseRenderHost();
