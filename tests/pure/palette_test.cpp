// The 8-bit logical palette.
#include "render/palette.h"
#include <gtest/gtest.h>

namespace {

bool Same(PaletteRgb a, PaletteRgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

TEST(RgbPalette, CubeEntriesFollowTheLevelTables) {
  const uint8_t level3[8] = {0, 63, 104, 139, 171, 200, 229, 255};
  const uint8_t level2[4] = {0, 116, 191, 255};
  EXPECT_TRUE(Same(PaletteRgb{0, 0, 0}, RgbPaletteEntry(0)));
  EXPECT_TRUE(Same(PaletteRgb{255, 255, 255}, RgbPaletteEntry(255)));
  EXPECT_TRUE(Same(PaletteRgb{255, 0, 0}, RgbPaletteEntry(7)));
  EXPECT_TRUE(Same(PaletteRgb{0, 255, 0}, RgbPaletteEntry(0x38)));
  EXPECT_TRUE(Same(PaletteRgb{0, 0, 255}, RgbPaletteEntry(0xC0)));
  EXPECT_TRUE(Same(PaletteRgb{104, 139, 116}, RgbPaletteEntry(2 | 3 << 3 | 1 << 6)));
  int formula = 0;
  for (int i = 0; i < RgbPaletteSize; ++i) {
    PaletteRgb expected{level3[i & 7], level3[(i >> 3) & 7], level2[i >> 6]};
    if (Same(expected, RgbPaletteEntry(i))) ++formula;
  }
  EXPECT_EQ(256 - 12, formula) << "all but the twelve system colours come from the cube";
}

TEST(RgbPalette, TwelveSystemColours) {
  struct { int index; PaletteRgb rgb; } system[] = {
    {3, {128, 0, 0}},      {24, {0, 128, 0}},      {27, {128, 128, 0}},    {64, {0, 0, 128}},
    {67, {128, 0, 128}},   {88, {0, 128, 128}},    {91, {128, 128, 128}},  {164, {160, 160, 164}},
    {173, {192, 192, 192}}, {181, {192, 220, 192}}, {236, {166, 202, 240}}, {247, {255, 251, 240}},
  };
  for (auto& entry : system) {
    PaletteRgb actual = RgbPaletteEntry(entry.index);
    EXPECT_TRUE(Same(entry.rgb, actual)) << "entry " << entry.index << ": " << int(actual.red) << ","
                                         << int(actual.green) << "," << int(actual.blue);
  }
}

}  // namespace
