// When the animation steps are due: a fixed number per second, counted on the performance
// counter, whatever the drawing rate. Pure: no Win32 types, so it is tested natively too.
#pragma once
#include <stdint.h>

// The speed setting: steps per second. 0 is the benchmarks' "as fast as the machine draws": one
// step per drawn frame, never offered in the dialog.
constexpr uint32_t DefaultStepsPerSecond = 60;  // what a 60 Hz display shows of one step a frame
constexpr uint32_t MinStepsPerSecond = 10;
constexpr uint32_t MaxStepsPerSecond = 240;
constexpr uint32_t UnpacedSteps = 0;

// The rate a stored value asks for: 0 stays 0; one below the range is the slowest, one above it
// the fastest (a hand-edited registry means "slower" or "faster", not "default").
uint32_t StepRateFromStored(uint32_t stored);

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
