// The deviation the outline service gets for what is stored.
#include "render/outline_deviation.h"
#include <gtest/gtest.h>
#include <float.h>
#include <math.h>

namespace {

TEST(OutlineDeviation, FinerThanTheFontCanShowIsRaisedAndTheRestPassesOrFallsToZero) {
  const float finest = FinestOutlineDeviation;
  const struct {
    float stored, handed;
  } rows[] = {
      {0.0f, 0.0f},         {-0.0f, 0.0f},        {0.01f, 0.01f},        {1.0f, 1.0f},
      {finest, finest},     {1e-4f, 1e-4f},       {5e-5f, finest},       {1e-9f, finest},
      {1e-10f, finest},     {1e-12f, finest},     {1e-15f, finest},      {1e-20f, finest},
      {1e-30f, finest},     {FLT_MIN, finest},    {1e-40f, finest},      {1e-45f, finest},
      {1e30f, 1e30f},       {INFINITY, INFINITY}, {-1e-15f, 0.0f},       {-1.0f, 0.0f},
      {-1e30f, 0.0f},       {-INFINITY, 0.0f},    {NAN, 0.0f},           {-NAN, 0.0f},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.handed, OutlineDeviation(row.stored)) << "stored " << row.stored << ", expected " << row.handed;
}

}  // namespace
