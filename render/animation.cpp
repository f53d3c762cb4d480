// Angle and bounce stepping of the frame loop.
#include "render/animation.h"

void AddSpinSteps(float* angleX, float* angleY, float* angleZ) {
  *angleX += AngleStepX;
  *angleY += AngleStepY;
  *angleZ += AngleStepZ;
}

static bool WrapAngle(float* angle) {
  if (*angle > FullTurn) {
    *angle -= FullTurn;
    return true;
  }
  return false;
}

bool WrapSpinAngles(float* angleX, float* angleY, float* angleZ) {
  WrapAngle(angleY);
  WrapAngle(angleZ);
  return WrapAngle(angleX);
}

void StepAxis(int32_t* position, int32_t* direction, int32_t childSize, int32_t saverSize) {
  if (*position < 0)
    *direction = +1;
  else if (*position + childSize > saverSize)
    *direction = -1;
  *position += WindowStep * *direction;
}
