// What the render thread keeps while it draws, in one record that RenderThreadMain owns: the
// single values, read once at set-up, the glyph lists, the palette, the animation and the time
// line. Render thread only.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "render/glyph_walk.h"
#include "render/motion.h"
#include "render/time_line.h"
#include "settings/setting_table.h"

// The word's glyph lists and what the outline calls told of each character, and of the time's.
struct GlyphLists {
  int32_t count;                                      // the word's lists built
  int16_t indexes[MaxGlyphs];                         // entry k holds k, for glCallLists
  GLYPHMETRICSFLOAT metrics[MaxGlyphs];
  GLYPHMETRICSFLOAT timeMetrics[TimeCharacterCount];
};

struct Renderer {
  SingleSettings settings;
  GlyphLists glyphs;
  HPALETTE palette;          // the program's palette; null when the pixel format needs none
  HPALETTE previousPalette;  // what the device context held before
  // The animation: the spin angles, the child window's place and heading, the sway's step, and
  // what the readable motion turns the word about.
  float angleX, angleY, angleZ;
  int32_t posX, posY, dirX, dirY;
  uint32_t swayStep;
  TextPoint textMiddle;
  // The time beside the word: which it shows, the lists of its line (offsets from the list base),
  // the minute they show, and the block that word and time make together.
  TimeDisplay timeDisplay;
  int16_t timeLists[MaxTimeGlyphs];
  int32_t timeListCount;
  int shownMinute;
  BlockLayout block;
};

// A renderer as every run starts: the spin angles at their start, the window at 0,0 heading
// right and down, no lists, no time shown yet.
void StartRenderer(Renderer* renderer);
