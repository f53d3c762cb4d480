// The steps due on the performance counter (see pacing.h).
#include "render/pacing.h"

StepClock StartStepClock(uint64_t now, uint64_t ticksPerSecond) { return StepClock{now, ticksPerSecond}; }

int32_t StepsDue(StepClock* clock, uint64_t now, uint64_t ticksPerSecond, uint32_t rate) {
  if (rate == UnpacedSteps) return 1;
  uint64_t elapsed = now > clock->last ? now - clock->last : 0;
  clock->last = now;
  // More than a second's worth is cut below anyway; the cut keeps the product within 64 bits.
  if (elapsed > ticksPerSecond) elapsed = ticksPerSecond;
  uint64_t carried = elapsed * rate + clock->remainder;
  uint64_t due = carried / ticksPerSecond;
  clock->remainder = carried % ticksPerSecond;
  if (due > static_cast<uint64_t>(MaxStepsPerFrame)) {
    clock->remainder = 0;
    return MaxStepsPerFrame;
  }
  return static_cast<int32_t>(due);
}

uint64_t TicksUntilNextStep(const StepClock& clock, uint64_t ticksPerSecond, uint32_t rate) {
  if (rate == UnpacedSteps || clock.remainder >= ticksPerSecond) return 1;
  uint64_t missing = ticksPerSecond - clock.remainder;
  uint64_t ticks = (missing + rate - 1) / rate;
  return ticks > 0 ? ticks : 1;
}
