// The walks over multibyte text: which character codes get a glyph list, and where a text can be
// cut to fit a buffer. Pure: no Win32 types; the lead-byte ranges come from the platform's
// code-page information.
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

// How many leading bytes of a NUL-terminated multibyte text a buffer of `capacity` bytes (at least
// one) keeps with its terminator: the whole text when it fits, else the whole characters that fit
// in capacity - 1 bytes, so no double-byte character is cut in half. A lead byte right before the
// terminator counts as one byte, as it stands in the text.
size_t FittingTextLength(const char* text, size_t capacity, const LeadByteTable& leads);
