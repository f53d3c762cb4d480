// The deviation handed to the outline service (see outline_deviation.h).
#include "render/outline_deviation.h"

float OutlineDeviation(float stored) {
  if (!(stored > 0.0f)) return 0.0f;  // zero, negative or NaN
  return stored < FinestOutlineDeviation ? FinestOutlineDeviation : stored;
}
