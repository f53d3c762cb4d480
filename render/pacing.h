// When the animation steps are due: a fixed number per second, counted on the performance
// counter, whatever the drawing rate. Pure: no Win32 types, so it is tested natively too.
#pragma once
#include <stdint.h>
#include "settings/setting_table.h"  // the speed's values


// After a stall (a suspended machine, a debugger) the steps missed are dropped, not drawn in a
// burst: at most this many a frame, enough for the fastest rate at 30 frames a second.
constexpr int32_t MaxStepsPerFrame = 8;

struct StepClock {
  uint64_t last;       // the counter when steps were last counted
  uint64_t remainder;  // what was carried, in counter ticks times steps per second
};

// A clock that counts from `now`, the first step due at once.
StepClock StartStepClock(uint64_t now, uint64_t ticksPerSecond);

// How many steps are due at `now` since the clock last counted, at `rate` a second (0: always
// one); the fraction of a step is carried. More than MaxStepsPerFrame are cut to it and the rest
// dropped; a counter that went back counts as no time.
int32_t StepsDue(StepClock* clock, uint64_t now, uint64_t ticksPerSecond, uint32_t rate);

// Counter ticks from the clock's last count until the next step is due (at least 1).
uint64_t TicksUntilNextStep(const StepClock& clock, uint64_t ticksPerSecond, uint32_t rate);
