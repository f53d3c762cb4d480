// Which monitors get a black cover while the full-screen saver runs. Pure: no Win32 types, so it
// is tested natively too.
#pragma once
#include <stdint.h>

// A rectangle in virtual-screen coordinates: right and bottom exclusive; a monitor left of or
// above the primary has negative coordinates.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

constexpr int32_t MaxMonitors = 16;  // monitors looked at; more are left as they are

// Writes the rectangles to cover while the saver window fills `saver` (the primary monitor) into
// `covers` and returns how many, at most `capacity`: every monitor with an area, in the given
// order, each rectangle once, except one that lies wholly within the saver window (the primary
// itself, or a monitor that mirrors it). A monitor that only partly overlaps the saver window is
// covered: its cover lies behind the saver window.
int32_t MonitorCovers(const ScreenRect* monitors, int32_t count, ScreenRect saver, ScreenRect* covers,
                      int32_t capacity);
