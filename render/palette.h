// The 256 colours of the logical palette used on 8-bit displays: an RGB 3-3-2 cube with the
// standard system colours in their usual places. Pure: no Win32 types.
#pragma once
#include <stdint.h>

constexpr int RgbPaletteSize = 256;

struct PaletteRgb {
  uint8_t red, green, blue;
};

// Entry i: red from bits 0-2, green from bits 3-5, blue from bits 6-7 of i, through the level
// tables, except the twelve entries that hold system colours.
PaletteRgb RgbPaletteEntry(int index);
