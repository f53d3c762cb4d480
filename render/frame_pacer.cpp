// The render thread's pacing on the performance counter. Render thread only.
#include "render/frame_pacer.h"
#include "host/system.h"
#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

uint64_t Now(const FramePacer& pacer) {
  LARGE_INTEGER value;
  if (pacer.counter && QueryPerformanceCounter(&value)) return static_cast<uint64_t>(value.QuadPart);
  return GetTickCount();
}

// Windows 10 1803 and later time a wait to the tenth of a millisecond without changing the
// system's timer resolution; the call is looked up by name, as older systems have none.
HANDLE CreateHighResolutionTimer() {
  using CreateWaitableTimerExWFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);
  CreateWaitableTimerExWFn create =
      ProcAddress<CreateWaitableTimerExWFn>(GetModuleHandleA("KERNEL32.DLL"), "CreateWaitableTimerExW");
  return create ? create(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS) : nullptr;
}

}  // namespace

void StartPacing(FramePacer* pacer, uint32_t rate) {
  *pacer = FramePacer{};
  pacer->rate = rate;
  LARGE_INTEGER frequency;
  pacer->counter = QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
  pacer->ticksPerSecond = pacer->counter ? static_cast<uint64_t>(frequency.QuadPart) : 1000;
  pacer->clock = StartStepClock(Now(*pacer), pacer->ticksPerSecond);
  if (rate == UnpacedSteps) return;
  pacer->timer = CreateHighResolutionTimer();
  // Without it Sleep keeps to the system timer's tick, 15.6 ms by default: too coarse for 60
  // steps a second.
  if (!pacer->timer) pacer->raisedResolution = timeBeginPeriod(1) == TIMERR_NOERROR;
}

int32_t TakeDueSteps(FramePacer* pacer) {
  return StepsDue(&pacer->clock, Now(*pacer), pacer->ticksPerSecond, pacer->rate);
}

void WaitForNextStep(FramePacer* pacer) {
  uint64_t ticks = TicksUntilNextStep(pacer->clock, pacer->ticksPerSecond, pacer->rate);
  const uint64_t longest = pacer->ticksPerSecond * LongestWaitMs / 1000;
  if (ticks > longest) ticks = longest;
  const LONGLONG hundredNs = static_cast<LONGLONG>(ticks * 10000000u / pacer->ticksPerSecond) + 1;
  if (pacer->timer) {
    LARGE_INTEGER due;
    due.QuadPart = -hundredNs;  // relative
    if (SetWaitableTimer(pacer->timer, &due, 0, nullptr, nullptr, FALSE) &&
        WaitForSingleObject(pacer->timer, 2 * LongestWaitMs) == WAIT_OBJECT_0)
      return;
  }
  Sleep(static_cast<DWORD>((hundredNs + 9999) / 10000));
}

void EndPacing(FramePacer* pacer) {
  if (pacer->timer) CloseHandle(pacer->timer);
  if (pacer->raisedResolution) timeEndPeriod(1);
  *pacer = FramePacer{};
}
