// Outline glyph lists of the text. Runs on the render thread inside scene setup.
#include "render/glyphs.h"
#include "host/system.h"
#include "render/outline_deviation.h"
#include "settings/settings.h"

int32_t GlyphCount = 0;
int16_t GlyphIndexes[MaxGlyphs];
GLYPHMETRICSFLOAT GlyphMetricsBuffer[MaxGlyphs];
UseFontOutlinesFn UseFontOutlines = wglUseFontOutlinesA;

int BuildGlyphLists(HDC dc, const char* text, GLuint listBase, float deviation, float extrusion, int32_t format,
                    GLYPHMETRICSFLOAT* metrics) {
  GlyphCount = 0;
  uint16_t codes[MaxGlyphs];
  LeadByteTable leads = ActiveLeadBytes();
  int count = WalkGlyphCodes(text, TextBufferSize, leads, codes);
  // What is stored stays as it is (the shape page shows it); only the call gets a usable value.
  float handed = OutlineDeviation(deviation);
  for (int k = 0; k < count; ++k) {
    // One call per character: lists are numbered by position, so a repeated character gets a
    // list of its own and glCallLists can walk the text with plain offsets.
    if (!UseFontOutlines(dc, codes[k], 1, listBase + k, handed, extrusion, format, &metrics[k]))
      return 0;
    GlyphIndexes[k] = static_cast<int16_t>(k);
  }
  GlyphCount = count;
  return 1;
}

int BuildFontGlyphLists(HDC dc, const LOGFONTA* font, const char* text, float deviation, float extrusion,
                        int32_t format) {
  HFONT own = CreateFontIndirectA(font);
  HGDIOBJ previous = SelectObject(dc, own);
  int built = BuildGlyphLists(dc, text, GlyphListBase, deviation, extrusion, format, GlyphMetricsBuffer);
  DeleteObject(SelectObject(dc, previous));
  return built;
}

TextPoint GlyphTextCentre() {
  GlyphBox boxes[MaxGlyphs];
  for (int32_t k = 0; k < GlyphCount; ++k) {
    const GLYPHMETRICSFLOAT& m = GlyphMetricsBuffer[k];
    boxes[k] = GlyphBox{m.gmfBlackBoxX, m.gmfBlackBoxY, m.gmfptGlyphOrigin.x, m.gmfptGlyphOrigin.y, m.gmfCellIncX,
                        m.gmfCellIncY};
  }
  return TextCentre(boxes, GlyphCount);
}
