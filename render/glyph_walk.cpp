// The text walks: the glyph lists' single- and double-byte characters with their 255-byte budget,
// and the cut of a text to a buffer.
#include "render/glyph_walk.h"

LeadByteTable LeadBytesFromRanges(const uint8_t* ranges, size_t count) {
  LeadByteTable table = {};
  for (size_t i = 0; i + 1 < count; i += 2) {
    uint8_t first = ranges[i], last = ranges[i + 1];
    if (first == 0 && last == 0) break;
    for (int b = first; b <= last; ++b) table.isLead[b] = true;
  }
  return table;
}

int WalkGlyphCodes(const char* text, size_t capacity, const LeadByteTable& leads, uint16_t codes[MaxGlyphs]) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  int count = 0;
  int budget = 254;  // bytes left after the current one; a double-byte character costs one more
  size_t pos = 0;
  while (pos < capacity && bytes[pos] != 0) {
    uint16_t code = bytes[pos];
    if (leads.isLead[code]) {
      if (pos + 1 >= capacity || bytes[pos + 1] == 0) break;
      ++pos;
      code = static_cast<uint16_t>(code * 256 + bytes[pos]);
      --budget;
    }
    codes[count++] = code;
    ++pos;
    if (budget <= 0) break;
    --budget;
  }
  return count;
}

size_t FittingTextLength(const char* text, size_t capacity, const LeadByteTable& leads) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t kept = 0;
  while (bytes[kept] != 0) {
    size_t width = leads.isLead[bytes[kept]] && bytes[kept + 1] != 0 ? 2 : 1;
    if (kept + width >= capacity) break;  // the terminator needs the last byte
    kept += width;
  }
  return kept;
}
