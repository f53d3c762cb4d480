// Test code: the walls of an extruded glyph (see extrusion_walls.h).
#include "tests/host/extrusion_walls.h"
#include <math.h>
#include <utility>

std::vector<WallQuad> WallQuads(const std::vector<Contour>& contours, double depth) {
  // The ink lies right of the way along a clockwise outer contour (and of a counter-clockwise hole).
  double area = 0;
  for (const Contour& c : contours)
    for (size_t i = 0; i < c.size(); ++i) {
      const OutlinePoint& a = c[i];
      const OutlinePoint& b = c[(i + 1) % c.size()];
      area += a[0] * b[1] - b[0] * a[1];
    }
  const double left = area < 0 ? 1 : -1;  // +1: outward is left of the way along
  std::vector<WallQuad> quads;
  for (const Contour& c : contours)
    for (size_t i = 0; i < c.size(); ++i) {
      const OutlinePoint* a = &c[i];
      const OutlinePoint* b = &c[(i + 1) % c.size()];
      double dx = (*b)[0] - (*a)[0], dy = (*b)[1] - (*a)[1], length = hypot(dx, dy);
      if (length == 0) continue;
      if (left < 0) std::swap(a, b);
      // Along the edge at the front, back along it at the back: counter-clockwise seen from outside.
      quads.push_back(WallQuad{{-dy * left / length, dx * left / length, 0},
                               {{(*a)[0], (*a)[1], 0}, {(*b)[0], (*b)[1], 0}, {(*b)[0], (*b)[1], -depth},
                                {(*a)[0], (*a)[1], -depth}}});
    }
  return quads;
}
