// The time line and the block of word and time (see time_line.h).
#include "render/time_line.h"
#include <math.h>

namespace {

constexpr uint32_t Day = 24u * 60u * 60u * 1000u;  // milliseconds
constexpr float LineGap = 0.25f;                   // between the word's ink and the time's, in ems

struct Box {
  float left, right, bottom, top;
};

Box Union(const Box& a, const Box& b) {
  return Box{fminf(a.left, b.left), fmaxf(a.right, b.right), fminf(a.bottom, b.bottom), fmaxf(a.top, b.top)};
}

// The ink of glyphs set side by side from the origin; without ink, the advance on the baseline.
Box BoxOf(const GlyphBox* glyphs, int32_t count) {
  TextInk ink = InkOf(glyphs, count);
  if (!ink.inked) return Box{fminf(0.0f, ink.end.x), fmaxf(0.0f, ink.end.x), 0.0f, 0.0f};
  return Box{ink.left, ink.right, ink.bottom, ink.top};
}

// The largest coordinate a corner of the box (z from 0 back to -extrusion) reaches at any step of
// the sway, turned as the frame turns it: about X, then Y, then Z (the last applied first).
float LargestSwayReach(const Box& box, float extrusion) {
  const float corners[2][2][2][3] = {
    {{{box.left, box.bottom, 0}, {box.left, box.bottom, -extrusion}},
     {{box.left, box.top, 0}, {box.left, box.top, -extrusion}}},
    {{{box.right, box.bottom, 0}, {box.right, box.bottom, -extrusion}},
     {{box.right, box.top, 0}, {box.right, box.top, -extrusion}}},
  };
  const float toRadians = 3.14159265f / 180.0f;
  float reach = 0.0f;
  for (uint32_t step = 0; step < SwayCycle; ++step) {
    SwayAngles a = SwayAt(step);
    float cx = cosf(a.x * toRadians), sx = sinf(a.x * toRadians);
    float cy = cosf(a.y * toRadians), sy = sinf(a.y * toRadians);
    float cz = cosf(a.z * toRadians), sz = sinf(a.z * toRadians);
    for (const auto& across : corners)
      for (const auto& up : across)
        for (const float* c : up) {
          float x = c[0] * cz - c[1] * sz, y = c[0] * sz + c[1] * cz, z = c[2];
          float x2 = x * cy + z * sy, z2 = -x * sy + z * cy;
          float y3 = y * cx - z2 * sx, z3 = y * sx + z2 * cx;
          reach = fmaxf(reach, fmaxf(fabsf(x2), fmaxf(fabsf(y3), fabsf(z3))));
        }
  }
  return reach;
}

}  // namespace

int64_t MillisecondsSinceLeaving(uint32_t lastInputTick, uint32_t nowTick) {
  if (lastInputTick == 0) return -1;
  // Modulo 2^32: the difference holds across a wrap of the tick count; one that comes out above
  // half the range is an input after now.
  uint32_t since = nowTick - lastInputTick;
  if (since > 0x7FFFFFFFu || since > Day) return -1;
  return since;
}

int TimeLineGlyphs(int hour, int minute, TimeDisplay display, int16_t glyphs[MaxTimeGlyphs]) {
  if (display == TimeDisplay::None) return 0;
  constexpr int16_t Colon = 10, Tilde = 11;
  int count = 0;
  if (hour >= 10) glyphs[count++] = static_cast<int16_t>(hour / 10);
  glyphs[count++] = static_cast<int16_t>(hour % 10);
  glyphs[count++] = Colon;
  glyphs[count++] = static_cast<int16_t>(minute / 10);
  glyphs[count++] = static_cast<int16_t>(minute % 10);
  if (display == TimeDisplay::Left) glyphs[count++] = Tilde;
  return count;
}

BlockLayout LayOutBlock(const GlyphBox* word, int32_t wordCount, const GlyphBox* time, int32_t timeCount,
                        float extrusion, float userScale) {
  Box wordInk = BoxOf(word, wordCount);
  Box timeInk = BoxOf(time, timeCount);
  BlockLayout block;
  block.timeOrigin.x = (wordInk.left + wordInk.right) / 2.0f - TimeLineSize * (timeInk.left + timeInk.right) / 2.0f;
  block.timeOrigin.y = wordInk.bottom - LineGap - TimeLineSize * timeInk.top;
  Box placed = {block.timeOrigin.x + TimeLineSize * timeInk.left, block.timeOrigin.x + TimeLineSize * timeInk.right,
                block.timeOrigin.y + TimeLineSize * timeInk.bottom, block.timeOrigin.y + TimeLineSize * timeInk.top};
  Box ink = Union(wordInk, placed);
  block.middle = TextPoint{(ink.left + ink.right) / 2.0f, (ink.bottom + ink.top) / 2.0f};
  Box centred = {ink.left - block.middle.x, ink.right - block.middle.x, ink.bottom - block.middle.y,
                 ink.top - block.middle.y};
  float reach = LargestSwayReach(centred, extrusion);
  block.readableScale = reach * userScale > 1.0f ? 1.0f / reach : userScale;
  return block;
}
