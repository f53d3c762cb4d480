// The status word's walk behind the glyph lists: characters, surrogate pairs, the 255-unit field,
// and where a slot's text is cut.
#include "render/glyph_walk.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Codes = std::vector<uint32_t>;

Codes Walk(const std::u16string& text, size_t capacity) {
  uint32_t codes[MaxGlyphs];
  int n = WalkGlyphCodes(text.data(), capacity, codes);
  return Codes(codes, codes + n);
}

TEST(GlyphWalk, OneCodePerCharacter) {
  const std::u16string pair = u"\U00020BB7";  // 𠮷, outside the basic plane: a surrogate pair
  const std::u16string field255(255, u'a'), field256(256, u'a');
  const struct {
    const char* what;
    std::u16string text;
    size_t capacity;  // the buffer; the text is terminated within it unless it fills it
    Codes codes;
  } rows[] = {
    {"empty", u"", 256, {}},
    {"ASCII", u"AB", 256, {0x41, 0x42}},
    {"kanji", u"休憩", 256, {0x4F11, 0x61A9}},
    {"the same character twice", u"会会", 256, {0x4F1A, 0x4F1A}},
    {"half-width katakana", u"ｱ", 256, {0xFF71}},
    {"a surrogate pair is one character", u"A" + pair + u"B", 256, {0x41, 0x20BB7, 0x42}},
    {"a lone high surrogate is skipped", u"A\xD842" u"B", 256, {0x41, 0x42}},
    {"a lone low surrogate is skipped", u"\xDFB7" u"B", 256, {0x42}},
    {"a high surrogate before the terminator", u"A\xD842", 256, {0x41}},
    {"the buffer's end cuts a pair", u"A" + pair, 2, {0x41}},
    {"255 units: all", field255, 256, Codes(255, 0x61)},
    {"a 256th unit in the field is not walked", field256, 256, Codes(255, 0x61)},
    {"a pair across the 255th unit is not walked", std::u16string(254, u'a') + pair, 256, Codes(254, 0x61)},
    {"127 pairs and one unit: 128 characters", [&] {
       std::u16string t;
       for (int i = 0; i < 127; ++i) t += pair;
       return t + u"z";
     }(), 256, [] { Codes c(127, 0x20BB7); c.push_back(0x7A); return c; }()},
  };
  for (const auto& row : rows) EXPECT_EQ(row.codes, Walk(row.text, row.capacity)) << row.what;
}

// Where a slot's text is cut: a text, the buffer's size in units and the units kept before the
// terminator.
TEST(TextCut, KeepsWholeCharactersWithRoomForTheTerminator) {
  const std::u16string pair = u"\U00020BB7";
  const struct {
    std::u16string text;
    size_t capacity;
    size_t kept;
  } rows[] = {
    {u"", 255, 0},
    {u"abc", 3, 2},
    {std::u16string(254, u'a'), 255, 254},
    {std::u16string(255, u'a'), 255, 254},
    {u"休憩", 2, 1},
    {std::u16string(253, u'a') + pair, 255, 253},  // the pair would need units 254 and 255
    {std::u16string(252, u'a') + pair, 255, 254},
    {u"ab\xD842", 255, 3},  // a lone high surrogate before the terminator stays
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.kept, FittingTextLength(row.text.c_str(), row.capacity))
        << row.text.size() << " units into " << row.capacity;
}

}  // namespace
