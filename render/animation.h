// Stepping of the spin angles and of the child window's bounce. Pure: no Win32 or GL calls.
#pragma once
#include <stdint.h>

// The spin angles where every run starts, in degrees.
constexpr float StartAngleX = 1.0f;
constexpr float StartAngleY = 5.0f;
constexpr float StartAngleZ = 3.0f;
constexpr float AngleStepX = 5.0f;
constexpr float AngleStepY = 5.0f;
constexpr float AngleStepZ = 2.0f;
constexpr float FullTurn = 360.0f;
constexpr int32_t WindowStep = 10;

// Adds one frame's steps to the three angles.
void AddSpinSteps(float* angleX, float* angleY, float* angleZ);

// Takes a full turn off every angle past 360 degrees (exactly 360 stays), Y and Z first, then X.
// Returns true when X wrapped: the moment the child window takes a step.
bool WrapSpinAngles(float* angleX, float* angleY, float* angleZ);

// The GL child window's width or height: two thirds of the saver window's, truncated.
constexpr int32_t ChildExtent(int32_t saverExtent) { return static_cast<int32_t>(saverExtent * 0.6666666666666666); }

// One step of the window along one axis. The direction is decided from the position before the
// step, so the window overshoots: it runs up to one step past the far edge, and to -step at the
// near edge, before it turns.
void StepAxis(int32_t* position, int32_t* direction, int32_t childSize, int32_t saverSize);
