// Which monitors get a black cover while the full-screen saver runs.
#include "host/monitor_covers.h"

static bool Within(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

static bool Same(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static bool Listed(const ScreenRect& rect, const ScreenRect* list, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (Same(rect, list[i])) return true;
  return false;
}

int32_t MonitorCovers(const ScreenRect* monitors, int32_t count, ScreenRect saver, ScreenRect* covers,
                      int32_t capacity) {
  int32_t chosen = 0;
  for (int32_t i = 0; i < count && chosen < capacity; ++i) {
    const ScreenRect& monitor = monitors[i];
    if (monitor.right <= monitor.left || monitor.bottom <= monitor.top) continue;
    if (Within(monitor, saver) || Listed(monitor, covers, chosen)) continue;
    covers[chosen++] = monitor;
  }
  return chosen;
}
