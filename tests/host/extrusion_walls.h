// Test code: the side walls of an extruded glyph, from its outline's contours, for the extruding
// outline stand-in (extruding_outlines.h). No Win32 or GL types, so it is tested natively too.
#pragma once
#include <array>
#include <vector>

using OutlinePoint = std::array<double, 3>;  // x and y in ems, z 0
using Contour = std::vector<OutlinePoint>;

struct WallQuad {
  OutlinePoint normal;         // unit, in the z = 0 plane, away from the glyph's ink
  OutlinePoint corners[4];     // counter-clockwise seen from where the normal points
};

// A quad per contour edge, from z = 0 down to z = -depth. TrueType winds outer contours clockwise
// and holes counter-clockwise; a font wound the other way is told by the sign of the total area.
std::vector<WallQuad> WallQuads(const std::vector<Contour>& contours, double depth);
