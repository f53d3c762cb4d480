// Glyph lists built with a real GL context (Mesa under Wine, on the harness's Xvfb display).
#include "tests/win/test_support.h"
#include "render/glyphs.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "host/system.h"
#include <string.h>
#include <string>

namespace {

// A window with a GL context current on this thread and the default font selected, for the
// outline service.
class GlyphListsTest : public FreshSettingsTest {
 protected:
  void SetUp() override {
    FreshSettingsTest::SetUp();
    window = CreateWindowExA(0, "STATIC", "glyphs", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 16;
    int format = ChoosePixelFormat(dc, &pfd);
    ASSERT_NE(0, format);
    ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
    context = wglCreateContext(dc);
    ASSERT_NE(nullptr, context);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    LOGFONTA logFont;
    SetDefaultLogFont(&logFont);
    font = CreateFontIndirectA(&logFont);
    previousFont = SelectObject(dc, font);
  }

  void TearDown() override {
    if (dc) DeleteObject(SelectObject(dc, previousFont));
    wglMakeCurrent(nullptr, nullptr);
    if (context) wglDeleteContext(context);
    if (dc) ReleaseDC(window, dc);
    if (window) DestroyWindow(window);
  }

  int Build(const wchar_t* text) {
    return BuildGlyphLists(dc, text, GlyphListBase, 0.0f, 0.15f, WGL_FONT_POLYGONS, &lists);
  }

  // The metrics of one character built on its own into a scratch list: what list k must match.
  GLYPHMETRICSFLOAT Reference(unsigned code, decltype(&wglUseFontOutlinesW) service = wglUseFontOutlinesW) {
    GLYPHMETRICSFLOAT metrics = {};
    EXPECT_TRUE(service(dc, code, 1, 5000, 0.0f, 0.15f, WGL_FONT_POLYGONS, &metrics));
    glDeleteLists(5000, 1);
    return metrics;
  }

  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
  HFONT font = nullptr;
  HGDIOBJ previousFont = nullptr;
  GlyphLists lists = {};
};

std::string Bytes(const GLYPHMETRICSFLOAT& m) { return std::string(reinterpret_cast<const char*>(&m), sizeof m); }

#define EXPECT_SAME_GLYPH(expected, actual) EXPECT_EQ(Bytes(expected), Bytes(actual))

TEST_F(GlyphListsTest, EmptyTextBuildsNothing) {
  lists.count = 7;
  EXPECT_EQ(1, Build(L""));
  EXPECT_EQ(0, lists.count);
  EXPECT_FALSE(glIsList(GlyphListBase));
}

TEST_F(GlyphListsTest, AsciiAndKanji) {
  ASSERT_EQ(1, Build(L"A外"));
  ASSERT_EQ(2, lists.count);
  EXPECT_EQ(0, lists.indexes[0]);
  EXPECT_EQ(1, lists.indexes[1]);
  EXPECT_TRUE(glIsList(1000));
  EXPECT_TRUE(glIsList(1001));
  EXPECT_FALSE(glIsList(1002));
  EXPECT_SAME_GLYPH(Reference(0x41), lists.metrics[0]);
  EXPECT_SAME_GLYPH(Reference(L'外'), lists.metrics[1]);
}

TEST_F(GlyphListsTest, KyuukeiIsTwoRealJapaneseGlyphs) {
  ASSERT_EQ(1, Build(L"休憩"));
  ASSERT_EQ(2, lists.count);
  EXPECT_SAME_GLYPH(Reference(L'休'), lists.metrics[0]);
  EXPECT_SAME_GLYPH(Reference(L'憩'), lists.metrics[1]);
  // A font without the glyph would give an empty box; these are full-width ideographs.
  for (int k = 0; k < 2; ++k) {
    EXPECT_GT(lists.metrics[k].gmfBlackBoxX, 0.5f) << k;
    EXPECT_GT(lists.metrics[k].gmfCellIncX, 0.8f) << k;
  }
  EXPECT_FALSE(Bytes(lists.metrics[0]) == Bytes(lists.metrics[1]));
}

TEST_F(GlyphListsTest, HalfWidthKatakanaIsHalfWide) {
  ASSERT_EQ(1, Build(L"ｱ"));
  ASSERT_EQ(1, lists.count);
  EXPECT_SAME_GLYPH(Reference(L'ｱ'), lists.metrics[0]);
  EXPECT_LT(lists.metrics[0].gmfCellIncX, 0.75f) << "half width";
}

TEST_F(GlyphListsTest, FullFieldBuildsAtMost255Lists) {
  wchar_t field[TextBufferSize];
  wmemset(field, L'W', TextBufferSize);  // 256 characters, no terminator: the last is never walked
  ASSERT_EQ(1, Build(field));
  EXPECT_EQ(255, lists.count);
  EXPECT_TRUE(glIsList(1254));
  EXPECT_FALSE(glIsList(1255));
  EXPECT_EQ(254, lists.indexes[254]);
}

TEST_F(GlyphListsTest, RepeatedCharacterGetsAListPerPosition) {
  ASSERT_EQ(1, Build(L"会会"));
  ASSERT_EQ(2, lists.count);
  EXPECT_TRUE(glIsList(1000));
  EXPECT_TRUE(glIsList(1001));
  EXPECT_SAME_GLYPH(lists.metrics[0], lists.metrics[1]);
}

// A character beyond the basic plane is one list, as the font draws it (or its missing glyph); a
// lone surrogate is none.
TEST_F(GlyphListsTest, ASurrogatePairIsOneListAndALoneSurrogateNone) {
  ASSERT_EQ(1, Build(L"A\U00020BB7\xD842" L"B"));
  ASSERT_EQ(3, lists.count);
  EXPECT_SAME_GLYPH(Reference(0x20BB7), lists.metrics[1]);
  EXPECT_SAME_GLYPH(Reference(L'B'), lists.metrics[2]);
  EXPECT_FALSE(glIsList(1003));
}

// Without the Unicode outline service each character goes to the ANSI one in the active code
// page (here 932): the same glyphs.
TEST_F(GlyphListsTest, TheConsumerPlatformTakesEachCharacterInTheCodePage) {
  ConsumerPlatform = 1;
  int built = Build(L"A休憩");
  ConsumerPlatform = 0;
  ASSERT_EQ(1, built);
  ASSERT_EQ(3, lists.count);
  EXPECT_SAME_GLYPH(Reference(0x41, wglUseFontOutlinesA), lists.metrics[0]);
  EXPECT_SAME_GLYPH(Reference(0x8B78, wglUseFontOutlinesA), lists.metrics[1]);
  EXPECT_SAME_GLYPH(Reference(0x8C65, wglUseFontOutlinesA), lists.metrics[2]);
}

// Succeeds for the first character only.
int OutlineCalls = 0;
BOOL WINAPI FailSecondOutline(HDC dc, DWORD first, DWORD count, DWORD base, FLOAT deviation, FLOAT extrusion,
                              int format, LPGLYPHMETRICSFLOAT metrics) {
  if (++OutlineCalls > 1) return FALSE;
  return wglUseFontOutlinesW(dc, first, count, base, deviation, extrusion, format, metrics);
}

TEST_F(GlyphListsTest, FailedOutlineCallEndsTheBuild) {
  lists.count = 3;
  UseFontOutlines = FailSecondOutline;
  int built = Build(L"ABC");
  UseFontOutlines = wglUseFontOutlinesW;
  EXPECT_EQ(0, built);
  EXPECT_EQ(0, lists.count);
  EXPECT_EQ(2, OutlineCalls) << "no call after the failed one";
  EXPECT_TRUE(glIsList(1000)) << "lists already built are left alone";
}

// The font step, with the time's twelve characters after the word: a list each, once.
TEST_F(GlyphListsTest, FontStepRestoresTheDeviceContextsFontAndBuildsTheTimesListsWhenAsked) {
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  LOGFONTA logFont;
  SetDefaultLogFont(&logFont);
  ASSERT_EQ(1, BuildFontGlyphLists(dc, &logFont, DefaultFaceCodePage, L"趣味", false, 0.0f, 0.15f, WGL_FONT_LINES, &lists));
  EXPECT_EQ(2, lists.count);
  EXPECT_EQ(before, GetCurrentObject(dc, OBJ_FONT));
  EXPECT_GT(lists.metrics[0].gmfBlackBoxX, 0.5f) << "the default font draws 趣";
  EXPECT_FALSE(glIsList(TimeListBase)) << "no time, no lists for it";

  ASSERT_EQ(1, BuildFontGlyphLists(dc, &logFont, DefaultFaceCodePage, L"趣味", true, 0.0f, 0.15f, WGL_FONT_LINES, &lists));
  for (int i = 0; i < TimeCharacterCount; ++i) EXPECT_TRUE(glIsList(TimeListBase + i)) << i;
  EXPECT_FALSE(glIsList(TimeListBase + TimeCharacterCount));
}

}  // namespace
