// The text walks: the glyph lists' characters within their 255 units, and the cut of a text to a
// buffer.
#include "render/glyph_walk.h"

namespace {

constexpr int FieldUnits = 255;  // a 256-unit field's text, its terminator not counted

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

int WalkGlyphCodes(const char16_t* text, size_t capacity, uint32_t codes[MaxGlyphs]) {
  const size_t end = capacity < FieldUnits ? capacity : FieldUnits;
  int count = 0;
  for (size_t pos = 0; pos < end && text[pos] != 0; ++pos) {
    char16_t unit = text[pos];
    if (IsHigh(unit) && pos + 1 < end && IsLow(text[pos + 1])) {
      codes[count++] = 0x10000u + ((unit - 0xD800u) << 10) + (text[pos + 1] - 0xDC00u);
      ++pos;
    } else if (!IsHigh(unit) && !IsLow(unit)) {
      codes[count++] = unit;
    }
  }
  return count;
}

size_t FittingTextLength(const char16_t* text, size_t capacity) {
  size_t kept = 0;
  while (text[kept] != 0) {
    size_t width = IsHigh(text[kept]) && IsLow(text[kept + 1]) ? 2 : 1;
    if (kept + width >= capacity) break;  // the terminator needs the last unit
    kept += width;
  }
  return kept;
}
