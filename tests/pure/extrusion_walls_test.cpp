// The extruding outline stand-in's walls face away from the ink, wound as GL takes a front face.
#include "tests/host/extrusion_walls.h"
#include <gtest/gtest.h>
#include <math.h>
#include <algorithm>

namespace {

// A square ring: the ink lies between |x|, |y| <= 2 and |x|, |y| >= 1.
bool InInk(double x, double y) {
  double far = std::max(fabs(x), fabs(y));
  return far < 2 && far > 1;
}

TEST(ExtrusionWalls, EveryWallFacesAwayFromTheInkAndIsWoundCounterClockwiseFromThere) {
  // TrueType's winding: the outer contour clockwise, the hole counter-clockwise.
  const Contour outer = {{-2, -2, 0}, {-2, 2, 0}, {2, 2, 0}, {2, -2, 0}};
  const Contour hole = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
  Contour outerReversed(outer.rbegin(), outer.rend()), holeReversed(hole.rbegin(), hole.rend());
  const struct {
    const char* what;
    std::vector<Contour> contours;
  } glyphs[] = {{"TrueType's winding", {outer, hole}}, {"the other winding", {outerReversed, holeReversed}}};
  for (const auto& glyph : glyphs) {
    std::vector<WallQuad> quads = WallQuads(glyph.contours, 0.15);
    ASSERT_EQ(8u, quads.size()) << glyph.what;
    for (const WallQuad& q : quads) {
      const OutlinePoint &a = q.corners[0], &b = q.corners[1], &d = q.corners[3];
      double midX = (a[0] + b[0]) / 2, midY = (a[1] + b[1]) / 2;
      EXPECT_TRUE(InInk(midX - 0.1 * q.normal[0], midY - 0.1 * q.normal[1])) << glyph.what << ": ink behind the wall";
      EXPECT_FALSE(InInk(midX + 0.1 * q.normal[0], midY + 0.1 * q.normal[1])) << glyph.what << ": none before it";
      EXPECT_EQ(0.0, a[2]);
      EXPECT_EQ(-0.15, d[2]) << "from the front face to the back";
      // (b - a) x (d - a) points where the quad is seen counter-clockwise from.
      double ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2], vx = d[0] - a[0], vy = d[1] - a[1], vz = d[2] - a[2];
      double facing = (uy * vz - uz * vy) * q.normal[0] + (uz * vx - ux * vz) * q.normal[1];
      EXPECT_GT(facing, 0) << glyph.what << ": counter-clockwise seen from outside";
    }
  }
}

}  // namespace
