// The walk over the text that decides which character codes get a glyph list. Pure: no Win32
// types; the lead-byte ranges come from the platform's code-page information.
#pragma once
#include <stddef.h>
#include <stdint.h>

constexpr int MaxGlyphs = 255;

struct LeadByteTable {
  bool isLead[256];
};

// Builds the table from code-page lead-byte ranges: pairs of first and last byte, ended by a
// pair of zeros or by the end of the array (count bytes).
LeadByteTable LeadBytesFromRanges(const uint8_t* ranges, size_t count);

// Walks a NUL-terminated multibyte text held in a buffer of `capacity` bytes and writes one
// character code per character (a byte, or lead * 256 + trail) into codes. At most 255 bytes of
// text are walked, and no byte at or beyond `capacity` is read. A lead byte whose trail would be
// the terminator (or would lie outside the buffer) is dropped: it is the torn half of a character,
// and drawing lead * 256 would show a glyph the user never typed. Returns the number of codes.
int WalkGlyphCodes(const char* text, size_t capacity, const LeadByteTable& leads, uint16_t codes[MaxGlyphs]);
