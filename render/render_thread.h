// The render thread: sets up the scene on the GL child window, draws frames until the run flag
// is cleared, steps the child window on every full X turn, and tears everything down.
#pragma once
#include <windows.h>
#include <atomic>
#include <stdint.h>
#include "settings/settings.h"

// 1 while the render thread is to keep drawing. Written by the main thread, read by the render
// thread once per frame. A plain int shared between threads would be a data race (the compiler
// may keep it in a register); a relaxed atomic compiles to the same aligned load and store on
// x86 with defined behaviour, and no ordering beyond that is needed.
extern std::atomic<int32_t> RunFlag;

void SetRunFlag();
void ClearRunFlag();

// Main thread: sets the run flag and starts RenderThreadMain on SaverState (its handle into
// SaverState) at below-normal priority, so input handling goes first.
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
// Thread routine; parameter: the address of SaverState. Exit code 1 after a stop, 0 when the
// scene could not be set up.
DWORD WINAPI RenderThreadMain(LPVOID parameter);
// Draws frames on dc while RunFlag is 1, at the settings' scale, steps a second and motion.
void AnimateFrames(HDC dc, const SingleSettings& settings);
// Deletes the glyph lists, puts dc's previous palette back, deletes the current context.
void TeardownScene(HDC dc);
