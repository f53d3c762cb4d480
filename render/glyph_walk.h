// The walks over the status word's UTF-16 text: which characters get a glyph list, and where a
// text can be cut to fit a buffer. Pure: no Win32 types.
#pragma once
#include <stddef.h>
#include <stdint.h>

constexpr int MaxGlyphs = 255;

// Walks a NUL-terminated UTF-16 text held in a buffer of `capacity` units and writes one code per
// character into codes: the unit, or the code point of a surrogate pair, which is one character.
// At most 255 units are walked (a field's 256th unit is its terminator) and none at or beyond
// `capacity`. A surrogate without its partner is skipped: drawn, it would be a glyph nobody
// typed. Returns the number of codes.
int WalkGlyphCodes(const char16_t* text, size_t capacity, uint32_t codes[MaxGlyphs]);

// How many leading units of a NUL-terminated UTF-16 text a buffer of `capacity` units (at least
// one) keeps with its terminator: the whole text when it fits, else the whole characters that fit
// in capacity - 1 units, so no surrogate pair is cut in half.
size_t FittingTextLength(const char16_t* text, size_t capacity);
