// The time beside the word: when the user left, the time line's text, and the block of word and
// time, every step of the readable motion inside the window.
#include "render/time_line.h"
#include <gtest/gtest.h>
#include <math.h>
#include <string>
#include <vector>

namespace {

TEST(TimeLine, WhenTheUserLeft) {
  const uint32_t day = 86400000u;
  const struct {
    uint32_t lastInput, now;
    int64_t since;
  } rows[] = {
    {1000, 5000, 4000},
    {0, 5000, -1},                    // no input since the system started
    {6000, 5000, -1},                 // an input after now
    {0xFFFFF000u, 0x1000u, 0x2000},   // across the wrap of the tick count
    {1, 1 + day, day},                // a day back still counts
    {1, 2 + day, -1},                 // more than a day back does not
    {0x10, 0x10 + 0x80000000u, -1},   // half the range: an input "after" now
  };
  for (const auto& row : rows) EXPECT_EQ(row.since, MillisecondsSinceLeaving(row.lastInput, row.now)) << row.lastInput;
}

std::u16string Text(int hour, int minute, TimeDisplay display) {
  int16_t glyphs[MaxTimeGlyphs];
  int count = TimeLineGlyphs(hour, minute, display, glyphs);
  std::u16string text;
  for (int i = 0; i < count; ++i) text += TimeCharacters[glyphs[i]];
  return text;
}

TEST(TimeLine, TheText) {
  EXPECT_EQ(u"14:05～", Text(14, 5, TimeDisplay::Left));
  EXPECT_EQ(u"14:05", Text(14, 5, TimeDisplay::Now));
  EXPECT_EQ(u"9:07", Text(9, 7, TimeDisplay::Now)) << "no leading zero";
  EXPECT_EQ(u"0:00～", Text(0, 0, TimeDisplay::Left));
  EXPECT_EQ(u"23:59", Text(23, 59, TimeDisplay::Now));
  EXPECT_EQ(u"", Text(12, 0, TimeDisplay::None));
}

// Glyphs as the outline service measures them, in ems: full-width kanji and half-width digits.
GlyphBox Kanji() { return GlyphBox{0.9f, 0.9f, 0.05f, 0.85f, 1.0f, 0.0f}; }
GlyphBox Digit() { return GlyphBox{0.4f, 0.7f, 0.05f, 0.7f, 0.5f, 0.0f}; }

struct Corner {
  float x, y, z;
};

// Where the frame puts a point of the block at a step of the sway: turned about X, then Y, then
// Z (the last applied first), scaled, about the block's middle. In the window when all three
// coordinates lie within -1 and 1.
bool InsideAtEveryStep(const std::vector<Corner>& corners, const BlockLayout& block) {
  const float r = 3.14159265f / 180.0f;
  for (uint32_t step = 0; step < SwayCycle; ++step) {
    SwayAngles a = SwayAt(step);
    for (Corner c : corners) {
      float x = (c.x - block.middle.x) * block.readableScale, y = (c.y - block.middle.y) * block.readableScale;
      float z = c.z * block.readableScale;
      float x1 = x * cosf(a.z * r) - y * sinf(a.z * r), y1 = x * sinf(a.z * r) + y * cosf(a.z * r);
      float x2 = x1 * cosf(a.y * r) + z * sinf(a.y * r), z2 = -x1 * sinf(a.y * r) + z * cosf(a.y * r);
      float y3 = y1 * cosf(a.x * r) - z2 * sinf(a.x * r), z3 = y1 * sinf(a.x * r) + z2 * cosf(a.x * r);
      if (fabsf(x2) > 1.0001f || fabsf(y3) > 1.0001f || fabsf(z3) > 1.0001f) return false;
    }
  }
  return true;
}

// The ink boxes of both lines, front and back (extruded).
std::vector<Corner> Corners(const std::vector<GlyphBox>& word, const std::vector<GlyphBox>& time,
                            const BlockLayout& block, float extrusion) {
  std::vector<Corner> corners;
  auto add = [&](const std::vector<GlyphBox>& line, float x0, float y0, float size) {
    float pen = 0.0f;
    for (const GlyphBox& g : line) {
      float l = x0 + size * (pen + g.originX), t = y0 + size * g.originY;
      for (float x : {l, l + size * g.blackBoxX})
        for (float y : {t, t - size * g.blackBoxY})
          for (float z : {0.0f, -extrusion}) corners.push_back({x, y, z});
      pen += g.advanceX;
    }
  };
  add(word, 0.0f, 0.0f, 1.0f);
  add(time, block.timeOrigin.x, block.timeOrigin.y, TimeLineSize);
  return corners;
}

TEST(TimeLine, TheTimeIsCentredUnderTheWordAndTheBlockStaysInTheWindowAtEveryStepOfTheSway) {
  const std::vector<GlyphBox> time = {Digit(), Digit(), GlyphBox{0.1f, 0.5f, 0.2f, 0.6f, 0.5f, 0.0f}, Digit(), Digit(),
                                      Kanji()};  // 14:05～
  const struct {
    const char* what;
    int kanji;
    float userScale, scale;  // the readable scale expected: the stored one, or (0) a smaller one
  } rows[] = {{"two characters at the default scale", 2, 0.55f, 0.55f},
              {"eight characters would leave the window", 8, 0.55f, 0.0f},
              {"two characters, scaled up", 2, 1.2f, 0.0f}};
  for (const auto& row : rows) {
    std::vector<GlyphBox> word(row.kanji, Kanji());
    BlockLayout block = LayOutBlock(word.data(), row.kanji, time.data(), 6, 0.15f, row.userScale);
    if (row.scale > 0.0f)
      EXPECT_EQ(row.scale, block.readableScale) << row.what;
    else
      EXPECT_LT(block.readableScale, row.userScale) << row.what;
    // Centred: the time's ink (0.05 to 3.45 of its ems) under the word's (0.05 to kanji - 0.05).
    EXPECT_NEAR(row.kanji / 2.0f, block.timeOrigin.x + TimeLineSize * (0.05f + 3.45f) / 2.0f, 1e-4) << row.what;
    EXPECT_LT(block.timeOrigin.y + TimeLineSize * 0.85f, -0.05f) << row.what << ": below the word's ink";
    EXPECT_TRUE(InsideAtEveryStep(Corners(word, time, block, 0.15f), block)) << row.what;
  }
}

}  // namespace
