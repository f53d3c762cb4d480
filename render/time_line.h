// The time beside the word: what the setting asks for, when the user left, the time line's
// characters, and where the line sits under the word. Pure: no Win32 or GL types.
#pragma once
#include <stdint.h>
#include "render/motion.h"
#include "settings/setting_table.h"  // TimeDisplay


// How long ago the user left, in milliseconds, from the last input's tick and the tick now
// (GetTickCount's, which wrap after 49.7 days): -1 when that cannot be told: no input since the
// system started (0), an input after now, or one more than a day back.
int64_t MillisecondsSinceLeaving(uint32_t lastInputTick, uint32_t nowTick);

// The characters of every time line, a glyph list each, in this order.
constexpr int TimeCharacterCount = 12;
constexpr char16_t TimeCharacters[TimeCharacterCount + 1] = u"0123456789:～";
constexpr int MaxTimeGlyphs = 6;

// The time line of an hour (0 to 23) and a minute, as indexes into TimeCharacters: the 24-hour
// clock, the hour without a leading zero, "～" (as a Japanese keyboard types it) after the time
// the user left. Returns the count; 0 for no time.
int TimeLineGlyphs(int hour, int minute, TimeDisplay display, int16_t glyphs[MaxTimeGlyphs]);

// The time line's glyphs against the word's: about half its height.
constexpr float TimeLineSize = 0.5f;

// Word and time as one block, in the word's ems from its first glyph's origin.
struct BlockLayout {
  TextPoint timeOrigin;  // the time line's first origin: its ink centred under the word's
  TextPoint middle;      // the middle of the block's ink, what the readable motion turns about
  float readableScale;   // the readable motion's scale: the stored one, or less where the sway
                         // would carry part of the block (extruded) out of the window
};
BlockLayout LayOutBlock(const GlyphBox* word, int32_t wordCount, const GlyphBox* time, int32_t timeCount,
                        float extrusion, float userScale);
