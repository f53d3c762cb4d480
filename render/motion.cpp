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

Motion MotionFromStored(uint32_t stored) {
  return stored == static_cast<uint32_t>(Motion::FaceTheRoom) ? Motion::FaceTheRoom : Motion::Tumble;
}

SwayAngles SwayAt(uint32_t step) { return SwayAngles{SwingAt(SwingX, step), SwingAt(SwingY, step), SwingAt(SwingZ, step)}; }

TextPoint TextCentre(const GlyphBox* glyphs, int32_t count) {
  float penX = 0.0f, penY = 0.0f;
  float left = 0.0f, right = 0.0f, top = 0.0f, bottom = 0.0f;
  bool inked = false;
  for (int32_t i = 0; i < count; ++i) {
    const GlyphBox& g = glyphs[i];
    if (g.blackBoxX > 0.0f && g.blackBoxY > 0.0f) {
      float l = penX + g.originX, t = penY + g.originY;
      float r = l + g.blackBoxX, b = t - g.blackBoxY;
      if (!inked || l < left) left = l;
      if (!inked || r > right) right = r;
      if (!inked || t > top) top = t;
      if (!inked || b < bottom) bottom = b;
      inked = true;
    }
    penX += g.advanceX;
    penY += g.advanceY;
  }
  if (!inked) return TextPoint{penX / 2.0f, penY / 2.0f};
  return TextPoint{(left + right) / 2.0f, (top + bottom) / 2.0f};
}
