// The frame loop's angle sequence and the child window's bounce.
#include "render/animation.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The loop's order: add the steps, draw (record the angles), wrap, step the window on an X wrap.
struct Spin {
  float x = StartAngleX, y = StartAngleY, z = StartAngleZ;
  std::vector<float> drawnX, drawnY, drawnZ;
  std::vector<int> stepFrames;
  void Run(int frames) {
    for (int frame = 1; frame <= frames; ++frame) {
      AddSpinSteps(&x, &y, &z);
      drawnX.push_back(x);
      drawnY.push_back(y);
      drawnZ.push_back(z);
      if (WrapSpinAngles(&x, &y, &z)) stepFrames.push_back(frame);
    }
  }
};

TEST(ChildWindow, TwoThirdsOfTheSaverWindowTruncated) {
  const struct {
    int32_t saver, child;
  } rows[] = {{1024, 682}, {768, 512}, {640, 426}, {480, 320}, {152, 101}, {112, 74}, {3, 2}, {2, 1}, {0, 0}};
  for (const auto& row : rows) EXPECT_EQ(row.child, ChildExtent(row.saver)) << row.saver;
}

TEST(SpinAngles, XTurnsEvery72Frames) {
  Spin spin;
  spin.Run(216);
  EXPECT_EQ(6.0f, spin.drawnX[0]);
  EXPECT_EQ(11.0f, spin.drawnX[1]);
  EXPECT_EQ(361.0f, spin.drawnX[71]);
  EXPECT_EQ(6.0f, spin.drawnX[72]);
  EXPECT_EQ((std::vector<int>{72, 144, 216}), spin.stepFrames);
}

TEST(SpinAngles, YIsDrawnAt360ThenWrapsAfter365) {
  Spin spin;
  spin.Run(146);
  EXPECT_EQ(10.0f, spin.drawnY[0]);
  EXPECT_EQ(360.0f, spin.drawnY[70]) << "frame 71: exactly 360 is not wrapped";
  EXPECT_EQ(365.0f, spin.drawnY[71]);
  EXPECT_EQ(10.0f, spin.drawnY[72]);
  EXPECT_EQ(365.0f, spin.drawnY[143]);
  EXPECT_EQ(10.0f, spin.drawnY[144]);
}

TEST(SpinAngles, ZFirstWrapsAfter179FramesThenEvery180) {
  Spin spin;
  spin.Run(360);
  EXPECT_EQ(5.0f, spin.drawnZ[0]);
  EXPECT_EQ(361.0f, spin.drawnZ[178]);
  EXPECT_EQ(3.0f, spin.drawnZ[179]);
  EXPECT_EQ(361.0f, spin.drawnZ[358]);
  EXPECT_EQ(3.0f, spin.drawnZ[359]);
}

TEST(SpinAngles, ExactlyAFullTurnIsNotWrapped) {
  float x = 360.0f, y = 360.0f, z = 360.0f;
  EXPECT_FALSE(WrapSpinAngles(&x, &y, &z));
  EXPECT_EQ(360.0f, x);
  EXPECT_EQ(360.0f, y);
  EXPECT_EQ(360.0f, z);
  x = 360.5f;
  EXPECT_TRUE(WrapSpinAngles(&x, &y, &z));
  EXPECT_EQ(0.5f, x);
}

// Positions visited along one axis, starting from 0 heading +1.
std::vector<int32_t> Track(int32_t childSize, int32_t saverSize, int steps) {
  int32_t pos = 0, dir = +1;
  std::vector<int32_t> visited;
  for (int i = 0; i < steps; ++i) {
    StepAxis(&pos, &dir, childSize, saverSize);
    visited.push_back(pos);
  }
  return visited;
}

TEST(WindowBounce, OvershootsTheFarEdgeThenTurns) {
  // 640 x 480 saver, 426 x 320 child.
  std::vector<int32_t> x = Track(426, 640, 60);
  EXPECT_EQ(10, x[0]);
  EXPECT_EQ(220, x[21]) << "220 + 426 > 640: the last step out";
  EXPECT_EQ(210, x[22]) << "then back";
  std::vector<int32_t> y = Track(320, 480, 40);
  EXPECT_EQ(170, y[16]);
  EXPECT_EQ(160, y[17]);
}

TEST(WindowBounce, ReachesMinusTenAtTheNearEdge) {
  std::vector<int32_t> x = Track(426, 640, 60);
  // Out to 220, back down to -10, then out again.
  EXPECT_EQ(0, x[43]);
  EXPECT_EQ(-10, x[44]);
  EXPECT_EQ(0, x[45]);
  for (int32_t p : x) {
    EXPECT_GE(p, -10);
    EXPECT_LE(p, 220);
  }
}

TEST(WindowBounce, ChildAsLargeAsTheSaverJitters) {
  // No room at all: it swings one step either side of the edge.
  std::vector<int32_t> x = Track(640, 640, 6);
  EXPECT_EQ((std::vector<int32_t>{10, 0, -10, 0, 10, 0}), x);
}

}  // namespace
