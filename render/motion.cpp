// The readable motion and the centre it turns about (see motion.h).
#include "render/motion.h"
#include <math.h>

namespace {

struct Swing {
  float amplitude;  // degrees
  uint32_t period;  // steps
};

// The periods divide SwayCycle, so the sway has no jump where the step count starts again.
constexpr Swing SwingX = {15.0f, 300};
constexpr Swing SwingY = {25.0f, 420};
constexpr Swing SwingZ = {8.0f, 540};
static_assert(SwayCycle % SwingX.period == 0 && SwayCycle % SwingY.period == 0 && SwayCycle % SwingZ.period == 0,
              "every swing ends with the cycle");

float SwingAt(const Swing& swing, uint32_t step) {
  const float phase = static_cast<float>(step % swing.period) / static_cast<float>(swing.period);
  return swing.amplitude * sinf(6.2831853f * phase);
}

}  // namespace

SwayAngles SwayAt(uint32_t step) { return SwayAngles{SwingAt(SwingX, step), SwingAt(SwingY, step), SwingAt(SwingZ, step)}; }

TextInk InkOf(const GlyphBox* glyphs, int32_t count) {
  TextInk ink = {0.0f, 0.0f, 0.0f, 0.0f, false, {0.0f, 0.0f}};
  for (int32_t i = 0; i < count; ++i) {
    const GlyphBox& g = glyphs[i];
    if (g.blackBoxX > 0.0f && g.blackBoxY > 0.0f) {
      float l = ink.end.x + g.originX, t = ink.end.y + g.originY;
      float r = l + g.blackBoxX, b = t - g.blackBoxY;
      if (!ink.inked || l < ink.left) ink.left = l;
      if (!ink.inked || r > ink.right) ink.right = r;
      if (!ink.inked || t > ink.top) ink.top = t;
      if (!ink.inked || b < ink.bottom) ink.bottom = b;
      ink.inked = true;
    }
    ink.end.x += g.advanceX;
    ink.end.y += g.advanceY;
  }
  return ink;
}

TextPoint TextCentre(const GlyphBox* glyphs, int32_t count) {
  TextInk ink = InkOf(glyphs, count);
  if (!ink.inked) return TextPoint{ink.end.x / 2.0f, ink.end.y / 2.0f};
  return TextPoint{(ink.left + ink.right) / 2.0f, (ink.top + ink.bottom) / 2.0f};
}
