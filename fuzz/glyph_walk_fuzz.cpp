// Fuzzes the Shift-JIS walk of the glyph lists with any lead-byte ranges and any buffer, which is
// not always terminated: AddressSanitizer sees a read past its end.
#include "render/glyph_walk.h"
#include "fuzz/fuzz_check.h"
#include <string.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t rangeBytes = data[0] % 13;  // GetCPInfo gives 12 bytes of ranges
  if (size < 1 + rangeBytes) return 0;
  LeadByteTable leads = LeadBytesFromRanges(data + 1, rangeBytes);
  std::vector<char> text(data + 1 + rangeBytes, data + size);  // exactly as large as the input
  uint16_t codes[MaxGlyphs];
  int count = WalkGlyphCodes(text.data(), text.size(), leads, codes);
  Check(count >= 0 && count <= MaxGlyphs && static_cast<size_t>(count) <= text.size(), "count within bounds");
  size_t walked = 0;
  for (int k = 0; k < count; ++k) {
    uint8_t high = codes[k] >> 8, low = codes[k] & 0xFF;
    if (high) {
      Check(leads.isLead[high] && low != 0, "a double-byte code is a lead byte and a trail byte");
      Check(static_cast<uint8_t>(text[walked]) == high && static_cast<uint8_t>(text[walked + 1]) == low,
            "a double-byte code is the next two bytes");
      walked += 2;
    } else {
      Check(low != 0 && !leads.isLead[low], "a single-byte code is neither the terminator nor a lead byte");
      Check(static_cast<uint8_t>(text[walked]) == low, "a single-byte code is the next byte");
      walked += 1;
    }
  }
  Check(walked <= 256 && walked <= text.size(), "at most 255 bytes and one trail byte walked");
  return 0;
}
