// The render thread's pacing: which animation steps are due before a frame, and the wait until the
// next one when none is. Render thread only.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "render/pacing.h"

struct FramePacer {
  uint32_t rate;            // steps per second; 0: one step a frame, no waiting
  bool counter;             // the performance counter; without one, GetTickCount
  uint64_t ticksPerSecond;
  StepClock clock;
  HANDLE timer;             // a high-resolution waitable timer, or null: Sleep
  bool raisedResolution;    // the system timer's resolution was raised for Sleep, to be given back
};

// The run flag is looked at between waits: a stop waits at most this long for a waiting thread.
constexpr DWORD LongestWaitMs = 16;

void StartPacing(FramePacer* pacer, uint32_t rate);
int32_t TakeDueSteps(FramePacer* pacer);
// Sleeps until the next step is due, or for LongestWaitMs when that is sooner.
void WaitForNextStep(FramePacer* pacer);
// Gives back the timer, and the timer resolution if it was raised.
void EndPacing(FramePacer* pacer);
