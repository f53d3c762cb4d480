// The readable motion: how much of the time the text can be read, and the point it turns about.
#include "render/animation.h"
#include "render/motion.h"
#include <gtest/gtest.h>
#include <math.h>

namespace {

// Readable: the text's face within 30 degrees of the viewer and its up within 30 degrees of the
// screen's up. The frame turns by X, then Y, then Z (glRotatef in that order: v' = Rx Ry Rz v).
bool Readable(float degreesX, float degreesY, float degreesZ) {
  const double r = 3.14159265358979 / 180.0;
  double cx = cos(degreesX * r), sx = sin(degreesX * r), cy = cos(degreesY * r), sy = sin(degreesY * r);
  double cz = cos(degreesZ * r), sz = sin(degreesZ * r);
  // Rz Ry Rx applied to a vector from the right: rows of Rx * Ry * Rz.
  double m[3][3] = {{cy * cz, -cy * sz, sy},
                    {sx * sy * cz + cx * sz, -sx * sy * sz + cx * cz, -sx * cy},
                    {-cx * sy * cz + sx * sz, cx * sy * sz + sx * cz, cx * cy}};
  double facing = m[2][2];                       // the face's normal (0, 0, 1), towards the viewer
  double upX = m[0][1], upY = m[1][1];           // the up (0, 1, 0) as the screen shows it
  double limit = cos(30.0 * r);
  return facing >= limit && upY > 0 && upY / sqrt(upX * upX + upY * upY) >= limit;
}

TEST(Motion, FacingTheRoomTheTextCanBeReadAlmostAlwaysTumblingRarely) {
  int readable = 0;
  for (uint32_t step = 0; step < SwayCycle; ++step) {
    SwayAngles sway = SwayAt(step);
    readable += Readable(sway.x, sway.y, sway.z);
  }
  EXPECT_GE(readable, 0.95 * SwayCycle) << readable << " of " << SwayCycle << " steps";
  // The tumble's whole cycle: X and Y turn every 72 steps, Z every 180.
  float x = 1.0f, y = 5.0f, z = 3.0f;
  int tumbling = 0;
  for (int step = 0; step < 360; ++step) {
    AddSpinSteps(&x, &y, &z);
    tumbling += Readable(x, y, z);
    WrapSpinAngles(&x, &y, &z);
  }
  EXPECT_LT(tumbling, 0.10 * 360) << tumbling << " of 360 steps: the measure tells the two apart";
  EXPECT_GT(tumbling, 0) << "and finds the tumble's moments face on";
}

TEST(Motion, TheSwayIsSmoothAndRepeatsWithTheCycle) {
  SwayAngles first = SwayAt(0), wrapped = SwayAt(SwayCycle);
  EXPECT_EQ(first.x, wrapped.x);
  EXPECT_EQ(first.y, wrapped.y);
  EXPECT_EQ(first.z, wrapped.z);
  for (uint32_t step = 1; step <= SwayCycle; ++step) {
    SwayAngles a = SwayAt(step - 1), b = SwayAt(step % SwayCycle);
    ASSERT_LT(fabsf(a.x - b.x) + fabsf(a.y - b.y) + fabsf(a.z - b.z), 1.0f) << "a gentle sway, step " << step;
  }
}

TEST(Motion, TheTextTurnsAboutTheMiddleOfItsInk) {
  // Two ideographs one em wide with their ink inset, then a space: the ink runs from 0.05 to 1.95
  // across and from -0.1 to 0.8 up; the space adds no ink.
  const GlyphBox glyphs[] = {
    {0.9f, 0.9f, 0.05f, 0.8f, 1.0f, 0.0f},
    {0.9f, 0.8f, 0.05f, 0.7f, 1.0f, 0.0f},
    {0.0f, 0.0f, 0.0f, 0.0f, 0.3f, 0.0f},
  };
  const struct {
    int count;
    float x, y;
  } rows[] = {{3, 1.0f, 0.35f}, {1, 0.5f, 0.35f}, {0, 0.0f, 0.0f}};
  for (const auto& row : rows) {
    TextPoint centre = TextCentre(glyphs, row.count);
    EXPECT_NEAR(row.x, centre.x, 1e-6) << row.count << " glyphs";
    EXPECT_NEAR(row.y, centre.y, 1e-6) << row.count << " glyphs";
  }
  TextPoint blank = TextCentre(glyphs + 2, 1);
  EXPECT_NEAR(0.15f, blank.x, 1e-6) << "no ink: the middle of the advance";
}

}  // namespace
