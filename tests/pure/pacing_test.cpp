// When the animation steps are due, the speed setting's range, and the extension lists.
#include "render/extensions.h"
#include "render/pacing.h"
#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

// Frames at the given counter readings: the steps due at each and the ticks until the next one.
struct Reading {
  uint64_t now;
  int32_t due;
  uint64_t untilNext;
};
struct PacingRow {
  const char* what;
  uint64_t ticksPerSecond;
  uint32_t rate;
  std::vector<Reading> readings;  // the clock starts at the first reading
};

TEST(Pacing, StepsDueAtTheFixedRateWithTheFractionCarried) {
  const PacingRow rows[] = {
    {"60 a second, a millisecond counter", 1000, 60,
     {{0, 1, 17}, {10, 0, 7}, {17, 1, 17}, {50, 2, 17}, {66, 0, 1}, {67, 1, 17}}},
    {"a stall gives at most a burst-free handful, the rest dropped", 1000, 60,
     {{0, 1, 17}, {5000, MaxStepsPerFrame, 17}, {5017, 1, 17}}},
    {"a counter that goes back counts as no time", 1000, 60, {{100, 1, 17}, {90, 0, 17}, {107, 1, 17}}},
    {"the ACPI timer's 3.58 MHz at 60", 3579545, 60, {{0, 1, 59660}, {59659, 0, 1}, {59660, 1, 59659}}},
    {"240 a second, frames at 60 Hz", 1000, 240, {{0, 1, 5}, {16, 3, 1}, {33, 4, 1}, {50, 5, 5}}},
    {"0: one step a frame, however soon", 1000, 0, {{0, 1, 1}, {0, 1, 1}, {100000, 1, 1}}},
  };
  for (const PacingRow& row : rows) {
    StepClock clock = StartStepClock(row.readings[0].now, row.ticksPerSecond);
    for (const Reading& r : row.readings) {
      EXPECT_EQ(r.due, StepsDue(&clock, r.now, row.ticksPerSecond, row.rate)) << row.what << ", at " << r.now;
      EXPECT_EQ(r.untilNext, TicksUntilNextStep(clock, row.ticksPerSecond, row.rate)) << row.what << ", at " << r.now;
    }
  }
}

// Frames at uneven times, none slower than the cut: a minute holds exactly a minute's steps.
TEST(Pacing, UnevenFramesKeepTheRateOverAMinute) {
  for (uint32_t rate : {10u, 60u, 144u, 240u}) {
    const uint64_t ticksPerSecond = 10000000;  // the usual 10 MHz counter
    srand(rate);
    StepClock clock = StartStepClock(0, ticksPerSecond);
    int64_t steps = StepsDue(&clock, 0, ticksPerSecond, rate);
    uint64_t now = 0;
    while (now < 60 * ticksPerSecond) {
      now += 1000 + static_cast<uint64_t>(rand() % 300000);  // 0.1 to 30 ms
      steps += StepsDue(&clock, now, ticksPerSecond, rate);
    }
    EXPECT_NEAR(static_cast<double>(rate) * now / ticksPerSecond + 1, static_cast<double>(steps), 1.0) << rate;
  }
}

TEST(Extensions, AWholeNameInTheList) {
  const struct {
    const char* list;
    bool listed;
  } rows[] = {
    {"WGL_EXT_swap_control", true},
    {"WGL_ARB_pixel_format WGL_EXT_swap_control WGL_ARB_multisample", true},
    {"WGL_ARB_pixel_format WGL_EXT_swap_control ", true},
    {"WGL_EXT_swap_control_tear", false},
    {"XWGL_EXT_swap_control", false},
    {"WGL_EXT_swap_control_tear WGL_EXT_swap_control", true},
    {"", false},
    {nullptr, false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.listed, ListsExtension(row.list, "WGL_EXT_swap_control")) << (row.list ? row.list : "(null)");
}

}  // namespace
