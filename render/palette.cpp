// Colours of the 8-bit logical palette.
#include "render/palette.h"

namespace {

const uint8_t Level3[8] = {0, 63, 104, 139, 171, 200, 229, 255};
const uint8_t Level2[4] = {0, 116, 191, 255};

// Entries that the system's own static colours occupy on an 8-bit display; putting the same
// colours there keeps the window manager's colours and the 3D text from fighting over them.
struct SystemColour {
  int index;
  PaletteRgb rgb;
};
const SystemColour SystemColours[] = {
  {3, {128, 0, 0}},     {24, {0, 128, 0}},     {27, {128, 128, 0}},   {64, {0, 0, 128}},
  {67, {128, 0, 128}},  {88, {0, 128, 128}},   {91, {128, 128, 128}}, {164, {160, 160, 164}},
  {173, {192, 192, 192}}, {181, {192, 220, 192}}, {236, {166, 202, 240}}, {247, {255, 251, 240}},
};

}  // namespace

PaletteRgb RgbPaletteEntry(int index) {
  for (const SystemColour& c : SystemColours)
    if (c.index == index) return c.rgb;
  return PaletteRgb{Level3[index & 7], Level3[(index >> 3) & 7], Level2[(index >> 6) & 3]};
}
