// The render thread: sets up the scene on the GL child window, draws frames until the run flag
// is cleared, steps the child window on every full X turn, and tears everything down.
#pragma once
#include <windows.h>
#include <stdint.h>

// Main thread: the flag that keeps the render thread drawing, read by it once per frame.
void SetRunFlag();
void ClearRunFlag();

// Main thread: sets the run flag and starts RenderThreadMain on SaverRun (its handle into
// SaverRun) at below-normal priority, so input handling goes first.
void StartRenderThread();
// How long a stop waits for the render thread: far beyond a frame and the teardown, well within
// the time in which a user expects a saver to close.
constexpr DWORD StopWaitMs = 1000;
// What StopRenderThread returns when the thread has not ended within StopWaitMs (its own exit
// codes are 0 and 1).
constexpr DWORD RenderThreadOverdue = WAIT_TIMEOUT;

// Main thread: clears the run flag and waits for the render thread while serving messages, then
// closes its handle. Returns the thread's exit code, STILL_ACTIVE when none was started, or
// RenderThreadOverdue, with the handle kept, when it did not end in time.
DWORD StopRenderThread();
// Thread routine; parameter: the address of SaverRun. Sets the scene up on the child window, draws
// frames while the run flag is set, and tears everything down; its renderer is its own. Exit code
// 1 after a stop, 0 when the scene could not be set up.
DWORD WINAPI RenderThreadMain(LPVOID parameter);
