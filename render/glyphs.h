// Outline glyph lists: one GL display list per character of the text, numbered from 1000 by
// position, built with wglUseFontOutlinesW. Render thread only, with the GL context current.
#pragma once
#include <windows.h>
#include <GL/gl.h>
#include <stdint.h>
#include "render/renderer.h"

constexpr GLuint GlyphListBase = 1000;
// The time's characters (TimeCharacters) have lists of their own after the word's.
constexpr GLuint TimeListBase = GlyphListBase + MaxGlyphs;

// The outline service, given a character's code point. Wine's never reports a failure, so the
// tests put a stand-in here to reach the failure path.
using UseFontOutlinesFn = BOOL(WINAPI*)(HDC, DWORD, DWORD, DWORD, FLOAT, FLOAT, int, LPGLYPHMETRICSFLOAT);
extern UseFontOutlinesFn UseFontOutlines;

// Builds one outline list per character of the UTF-16 text (a 256-character field) with the font
// selected into dc. Returns 1 with the lists' count, indexes and metrics filled, or 0 when an
// outline call fails (the count then stays 0). On the consumer platform the ANSI service takes
// each character in the active code page.
int BuildGlyphLists(HDC dc, const wchar_t* text, GLuint listBase, float deviation, float extrusion, int32_t format,
                    GlyphLists* lists);

// The font step around it: makes a font from the record, whose face name is in `faceCodePage`
// (CP_ACP for a record the font dialog wrote), selects it for the build (of the time's lists too,
// with `withTime`), then puts the previous font back and deletes its own. 1, or 0 when an outline
// call failed.
int BuildFontGlyphLists(HDC dc, const LOGFONTA* font, UINT faceCodePage, const wchar_t* text, bool withTime,
                        float deviation, float extrusion, int32_t format, GlyphLists* lists);

// Word and time as one block, from the metrics of the word's lists and of the time line's
// characters (indexes into TimeCharacters).
BlockLayout GlyphBlock(const GlyphLists& lists, const int16_t* timeGlyphs, int32_t timeCount, float extrusion,
                       float userScale);

// The middle of the text's ink, in ems from the first glyph's origin, from the metrics the outline
// calls filled: the point the readable motion turns the text about.
TextPoint GlyphTextCentre(const GlyphLists& lists);
