// Outline glyph lists of the text. Runs on the render thread inside scene setup.
#include "render/glyphs.h"
#include "host/system.h"
#include "render/outline_deviation.h"
#include "settings/settings.h"
#include <stddef.h>
#include <string.h>

UseFontOutlinesFn UseFontOutlines = wglUseFontOutlinesW;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

// A character as the ANSI outline service takes it: its bytes in the active code page, a
// double-byte one as lead * 256 + trail.
static DWORD AnsiCode(uint32_t code) {
  wchar_t units[3] = {};
  if (code > 0xFFFF) {
    units[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    units[0] = static_cast<wchar_t>(code);
  }
  unsigned char bytes[8] = {};
  AnsiFromWide(units, reinterpret_cast<char*>(bytes), sizeof bytes);
  return bytes[1] ? bytes[0] * 256u + bytes[1] : bytes[0];
}

// One character's list. On the consumer platform the ANSI service takes it in the active code page.
static BOOL BuildList(HDC dc, uint32_t code, GLuint list, float deviation, float extrusion, int32_t format,
                      GLYPHMETRICSFLOAT* metrics) {
  // What is stored stays as it is (the shape page shows it); only the call gets a usable value.
  float handed = OutlineDeviation(deviation);
  if (ConsumerPlatform) return wglUseFontOutlinesA(dc, AnsiCode(code), 1, list, handed, extrusion, format, metrics);
  return UseFontOutlines(dc, code, 1, list, handed, extrusion, format, metrics);
}

int BuildGlyphLists(HDC dc, const wchar_t* text, GLuint listBase, float deviation, float extrusion, int32_t format,
                    GlyphLists* lists) {
  lists->count = 0;
  uint32_t codes[MaxGlyphs];
  int count = WalkGlyphCodes(reinterpret_cast<const char16_t*>(text), TextBufferSize, codes);
  for (int k = 0; k < count; ++k) {
    // One call per character: lists are numbered by position, so a repeated character gets a
    // list of its own and glCallLists can walk the text with plain offsets.
    if (!BuildList(dc, codes[k], listBase + k, deviation, extrusion, format, &lists->metrics[k])) return 0;
    lists->indexes[k] = static_cast<int16_t>(k);
  }
  lists->count = count;
  return 1;
}

// The record as the Unicode font call takes it: the face name read in the code page it was
// written in, everything else as it stands.
static LOGFONTW WideLogFont(const LOGFONTA& font, UINT faceCodePage) {
  LOGFONTW wide;
  memcpy(&wide, &font, offsetof(LOGFONTA, lfFaceName));
  // A name that cannot be read asks for no face: the font mapper then goes by the character set.
  if (!MultiByteToWideChar(faceCodePage, 0, font.lfFaceName, -1, wide.lfFaceName, LF_FACESIZE))
    wide.lfFaceName[0] = 0;
  return wide;
}

int BuildFontGlyphLists(HDC dc, const LOGFONTA* font, UINT faceCodePage, const wchar_t* text, bool withTime,
                        float deviation, float extrusion, int32_t format, GlyphLists* lists) {
  LOGFONTW wide = WideLogFont(*font, faceCodePage);
  HFONT own = ConsumerPlatform ? CreateFontIndirectA(font) : CreateFontIndirectW(&wide);
  HGDIOBJ previous = SelectObject(dc, own);
  int built = BuildGlyphLists(dc, text, GlyphListBase, deviation, extrusion, format, lists);
  // Every character a time line can have, once: a new minute only calls other lists.
  for (int i = 0; built && withTime && i < TimeCharacterCount; ++i)
    built = BuildList(dc, TimeCharacters[i], TimeListBase + i, deviation, extrusion, format, &lists->timeMetrics[i]);
  DeleteObject(SelectObject(dc, previous));
  return built;
}

static GlyphBox BoxOf(const GLYPHMETRICSFLOAT& m) {
  return GlyphBox{m.gmfBlackBoxX, m.gmfBlackBoxY, m.gmfptGlyphOrigin.x, m.gmfptGlyphOrigin.y, m.gmfCellIncX,
                  m.gmfCellIncY};
}

TextPoint GlyphTextCentre(const GlyphLists& lists) {
  GlyphBox boxes[MaxGlyphs];
  for (int32_t k = 0; k < lists.count; ++k) boxes[k] = BoxOf(lists.metrics[k]);
  return TextCentre(boxes, lists.count);
}

BlockLayout GlyphBlock(const GlyphLists& lists, const int16_t* timeGlyphs, int32_t timeCount, float extrusion,
                       float userScale) {
  GlyphBox word[MaxGlyphs], time[MaxTimeGlyphs];
  for (int32_t k = 0; k < lists.count; ++k) word[k] = BoxOf(lists.metrics[k]);
  for (int32_t k = 0; k < timeCount; ++k) time[k] = BoxOf(lists.timeMetrics[timeGlyphs[k]]);
  return LayOutBlock(word, lists.count, time, timeCount, extrusion, userScale);
}
