// The text walk behind the glyph lists: lead bytes, the 255-byte budget and torn characters.
#include "render/glyph_walk.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

namespace {

// Code page 932's lead-byte ranges as GetCPInfo reports them.
const uint8_t ShiftJisRanges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};

std::vector<uint16_t> Walk(const char* text, size_t capacity = 256) {
  LeadByteTable leads = LeadBytesFromRanges(ShiftJisRanges, sizeof ShiftJisRanges);
  uint16_t codes[MaxGlyphs];
  int n = WalkGlyphCodes(text, capacity, leads, codes);
  return std::vector<uint16_t>(codes, codes + n);
}

using Codes = std::vector<uint16_t>;

TEST(LeadBytes, ShiftJisRanges) {
  LeadByteTable t = LeadBytesFromRanges(ShiftJisRanges, sizeof ShiftJisRanges);
  EXPECT_FALSE(t.isLead[0x80]);
  EXPECT_TRUE(t.isLead[0x81]);
  EXPECT_TRUE(t.isLead[0x9F]);
  EXPECT_FALSE(t.isLead[0xA0]);
  EXPECT_FALSE(t.isLead[0xB1]);
  EXPECT_FALSE(t.isLead[0xDF]);
  EXPECT_TRUE(t.isLead[0xE0]);
  EXPECT_TRUE(t.isLead[0xFC]);
  EXPECT_FALSE(t.isLead[0xFD]);
  EXPECT_FALSE(t.isLead[0]);
}

TEST(LeadBytes, SingleByteCodePageHasNone) {
  const uint8_t none[12] = {};
  LeadByteTable t = LeadBytesFromRanges(none, sizeof none);
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(t.isLead[b]) << b;
}

TEST(GlyphWalk, CharactersAndCodes) {
  EXPECT_EQ(Codes{}, Walk(""));
  EXPECT_EQ((Codes{0x41, 0x8ABF}), Walk("A\x8A\xBF"));
  EXPECT_EQ((Codes{0x8B78, 0x8C65}), Walk("\x8B\x78\x8C\x65"));  // 休憩
  EXPECT_EQ((Codes{0xB1}), Walk("\xB1"));                        // half-width katakana
  EXPECT_EQ((Codes{0x89EF, 0x89EF}), Walk("\x89\xEF\x89\xEF"));  // the same character twice
  EXPECT_EQ((Codes{0xE040, 0xFCFC}), Walk("\xE0\x40\xFC\xFC"));  // range edges
  // Without lead bytes every byte is a character.
  const uint8_t none[12] = {};
  LeadByteTable single = LeadBytesFromRanges(none, sizeof none);
  uint16_t codes[MaxGlyphs];
  EXPECT_EQ(2, WalkGlyphCodes("\x8B\x78", 256, single, codes));
  EXPECT_EQ(0x8B, codes[0]);
}

TEST(GlyphWalk, LoneLeadByteAtTheEndIsDropped) {
  EXPECT_EQ((Codes{0x41}), Walk("A\x8A"));
  EXPECT_EQ(Codes{}, Walk("\x8A"));
  // Cut by the buffer: the trail would lie outside it and is never read.
  char field[3] = {'A', 'B', '\x8A'};
  EXPECT_EQ((Codes{0x41, 0x42}), Walk(field, sizeof field));
}

TEST(GlyphWalk, BudgetStopsAfter255Bytes) {
  // 255 single-byte characters: all walked. A 256th byte in the field is not.
  std::vector<char> field(256, 'a');
  EXPECT_EQ(255u, Walk(field.data(), field.size()).size());

  // 127 double-byte characters and one single byte: 255 bytes, 128 characters.
  std::string text;
  for (int i = 0; i < 127; ++i) text += "\x89\xEF";
  text += "z";
  Codes codes = Walk(text.c_str());
  ASSERT_EQ(128u, codes.size());
  EXPECT_EQ(0x7A, codes.back());

  // A double-byte character that brings the count from 254 to 256 is still taken whole, then
  // the walk ends.
  std::string over(254, 'b');
  over += "\x89\xEF" "c";
  codes = Walk(over.c_str(), over.size() + 1);
  ASSERT_EQ(255u, codes.size());
  EXPECT_EQ(0x89EF, codes.back());
}

TEST(GlyphWalk, ShortTextsAreNeverCut) {
  for (size_t length = 0; length <= 255; ++length) {
    std::string text(length, 'q');
    ASSERT_EQ(length, Walk(text.c_str(), text.size() + 1).size()) << length;
  }
}

// Where a slot's text is cut: a text, the buffer's size and the bytes kept before the terminator.
TEST(TextCut, KeepsWholeCharactersWithRoomForTheTerminator) {
  LeadByteTable leads = LeadBytesFromRanges(ShiftJisRanges, sizeof ShiftJisRanges);
  std::string kana127;
  for (int i = 0; i < 127; ++i) kana127 += "\x82\xA0";  // あ
  const struct {
    std::string text;
    size_t capacity;
    size_t kept;
  } rows[] = {
    {"", 255, 0},
    {"abc", 3, 2},
    {std::string(254, 'a'), 255, 254},
    {std::string(255, 'a'), 255, 254},
    {kana127, 255, 254},
    {kana127 + "\x82\xA0", 255, 254},
    {"a" + kana127, 255, 253},  // the last character would need bytes 254 and 255
    {"\x8B\x78\x8C\x65", 4, 2},  // 休憩: one character and the terminator
    {"\xB1\xB2\xB3", 3, 2},      // half-width katakana are single bytes
    {"ab\x8A", 255, 3},        // a lone lead byte before the terminator stays
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.kept, FittingTextLength(row.text.c_str(), row.capacity, leads))
        << row.text.size() << " bytes into " << row.capacity;
}

}  // namespace
