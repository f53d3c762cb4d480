// Fuzzes the walk of the glyph lists over any UTF-16 units in a buffer that is not always
// terminated (AddressSanitizer sees a read past its end), and the cut of a slot's text.
#include "render/glyph_walk.h"
#include "fuzz/fuzz_check.h"
#include <string.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char16_t> text(size / 2);  // exactly as large as the input
  if (!text.empty()) memcpy(text.data(), data, text.size() * sizeof(char16_t));
  uint32_t codes[MaxGlyphs];
  int count = WalkGlyphCodes(text.data(), text.size(), codes);
  Check(count >= 0 && count <= MaxGlyphs && static_cast<size_t>(count) <= text.size(), "count within bounds");
  size_t units = 0;
  for (int k = 0; k < count; ++k) {
    Check(codes[k] != 0 && codes[k] <= 0x10FFFF, "a code is a character");
    Check(codes[k] < 0xD800 || codes[k] > 0xDFFF, "no surrogate is a character of its own");
    units += codes[k] > 0xFFFF ? 2 : 1;
  }
  Check(units <= 255, "at most 255 units walked");

  // The cut, of the same units terminated, into a buffer of any size the first unit says.
  text.push_back(0);
  size_t capacity = 1 + (text.size() > 1 ? text[0] % 300 : 0);
  size_t kept = FittingTextLength(text.data(), capacity);
  Check(kept < capacity && kept < text.size(), "the kept text and its terminator fit");
  for (size_t i = 0; i < kept; ++i) Check(text[i] != 0, "nothing past the terminator is kept");
  bool cutPair = kept > 0 && text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF && text[kept] >= 0xDC00 &&
                 text[kept] <= 0xDFFF;
  Check(!cutPair, "no surrogate pair is cut in half");
  return 0;
}
