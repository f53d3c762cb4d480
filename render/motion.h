// How the text moves: the three-axis tumble of the spin angles, or a gentle sway that keeps it
// upright and facing the viewer, turned about the middle of its ink. Pure: no Win32 or GL types.
#pragma once
#include <stdint.h>
#include "settings/setting_table.h"  // Motion

struct SwayAngles {
  float x, y, z;  // degrees, turned in that order, as the tumble's angles are
};

// The sway repeats after this many steps (every axis a whole number of its swings): at 60 steps a
// second, a little over five minutes.
constexpr uint32_t SwayCycle = 18900;

// The sway after `step` steps: within 15 degrees about X, 25 about Y and 8 about Z, each a slow
// swing of its own length (5, 7 and 9 seconds at 60 steps a second).
SwayAngles SwayAt(uint32_t step);

// One glyph as the outline service measured it, in ems: the black box and where its top-left
// corner lies from the glyph's origin, and how far the origin then moves.
struct GlyphBox {
  float blackBoxX, blackBoxY;
  float originX, originY;  // top-left corner of the black box, y up
  float advanceX, advanceY;
};

struct TextPoint {
  float x, y;
};

// The ink of glyphs set side by side from the origin, y up, and where their advance ends; `inked`
// is false when no glyph has ink (the box is then all 0).
struct TextInk {
  float left, right, bottom, top;
  bool inked;
  TextPoint end;
};
TextInk InkOf(const GlyphBox* glyphs, int32_t count);

// The middle of the ink of glyphs set side by side from the origin; for glyphs without ink
// (spaces) the middle of their advance; (0, 0) without glyphs.
TextPoint TextCentre(const GlyphBox* glyphs, int32_t count);
