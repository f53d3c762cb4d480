// The command-line grammar: program name, mode letter and window handle.
#include "host/command_line.h"
#include "host/away_rules.h"
#include "host/close_gate.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const char* NextByte(const char* text) { return *text ? text + 1 : text; }
// Code page 932's way: 0x81 to 0x9F lead a pair.
const char* NextDoubleByte(const char* text) {
  unsigned char lead = static_cast<unsigned char>(*text);
  return !*text ? text : lead >= 0x81 && lead <= 0x9F && text[1] ? text + 2 : text + 1;
}

std::string Tail(const char* line, CharAdvance next = NextByte) { return SkipProgramName(line, next); }

TEST(ProgramName, PlainAndQuoted) {
  EXPECT_EQ("/s", Tail("vorlux.scr /s"));
  EXPECT_EQ("/p 1234", Tail("vorlux.scr   \t /p 1234"));
  EXPECT_EQ("", Tail("vorlux.scr"));
  EXPECT_EQ("", Tail("\"vorlux.scr\""));
  EXPECT_EQ("/c:99", Tail("\"C:\\Program Files\\Vorlux\\vorlux.scr\" /c:99"));
  EXPECT_EQ("/s", Tail("\"C:\\a b\\vorlux.scr\"/s")) << "no blank needed after the closing quote";
}

TEST(ProgramName, TheProgramsOwnPathUnquotedWithBlanks) {
  const char* own = "C:\\My Apps\\vorlux.scr";
  const struct {
    const char* line;
    const char* tail;
  } rows[] = {
      {"C:\\My Apps\\vorlux.scr /s", "/s"},
      {"c:\\my apps\\VORLUX.SCR  /p 12", "/p 12"},
      {"C:\\My Apps\\vorlux.scr", ""},
      {"\"C:\\My Apps\\vorlux.scr\" /s", "/s"},
      {"C:\\My Apps\\vorlux.scr2 /s", "Apps\\vorlux.scr2 /s"},  // another program: up to the blank
      {"C:\\My Apps\\vorlux.sc /s", "Apps\\vorlux.sc /s"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.tail, std::string(SkipProgramName(row.line, NextByte, own))) << row.line;
  // A double-byte character is compared whole: its trail byte is no letter to fold.
  EXPECT_EQ("x /s", std::string(SkipProgramName("\x83\x61 x /s", NextDoubleByte, "\x83\x41 x")));
  EXPECT_EQ("/s", std::string(SkipProgramName("\x83\x41 x /s", NextDoubleByte, "\x83\x41 x")));
}

TEST(ProgramName, UnclosedQuoteSwallowsTheLine) {
  EXPECT_EQ("", Tail("\"C:\\a b\\vorlux.scr /s"));
}

TEST(ProgramName, BytesFrom0x80UpBelongToTheName) {
  EXPECT_EQ("/s", Tail("\x83\x5C\x83\x74\x83\x67.scr /s"));  // a katakana name
  EXPECT_EQ("/s", Tail("\xA0\xFF /s"));
}

struct Case {
  const char* tail;
  SaverMode mode;
  const char* rest;
};

TEST(Mode, LettersAndSeparators) {
  const Case cases[] = {
    {"", SaverMode::Configure, ""},
    {"  - / ", SaverMode::Configure, ""},
    {"/c", SaverMode::ConfigureOwned, ""},
    {"/c:1234", SaverMode::ConfigureOwned, ":1234"},
    {"-C", SaverMode::ConfigureOwned, ""},
    {"/s", SaverMode::Saver, ""},
    {"-S", SaverMode::Saver, ""},
    {" s", SaverMode::Saver, ""},
    {"/save", SaverMode::Saver, "ave"},
    {"/p 1234", SaverMode::Preview, "1234"},
    {"/P1234", SaverMode::Preview, "1234"},
    {"/l   1234", SaverMode::Preview, "1234"},
    {"/p:1234", SaverMode::Preview, ":1234"},
    {"/p", SaverMode::Preview, ""},
    {"/a 456", SaverMode::ChangePassword, "456"},
    {"/A", SaverMode::ChangePassword, ""},
    {"/w", SaverMode::Away, ""},
    {"-W  4", SaverMode::Away, "4"},
    {"/w4", SaverMode::Away, "4"},
    {"\t/s", SaverMode::Invalid, "\t/s"},
    {"/1", SaverMode::Invalid, "1"},
    {"/x", SaverMode::Invalid, "x"},
    {"/\x82\xB3", SaverMode::Invalid, "\x82\xB3"},
    {"/\xD3", SaverMode::Invalid, "\xD3"},
  };
  for (const Case& c : cases) {
    ModeChoice choice = ParseMode(c.tail);
    EXPECT_EQ(static_cast<int>(c.mode), static_cast<int>(choice.mode)) << "tail '" << c.tail << "'";
    EXPECT_STREQ(c.rest, choice.rest) << "tail '" << c.tail << "'";
  }
}

TEST(WindowHandle, DigitsUntilTheFirstOtherByte) {
  EXPECT_EQ(1234u, ParseWindowHandle("1234"));
  EXPECT_EQ(0u, ParseWindowHandle("0x10"));
  EXPECT_EQ(0u, ParseWindowHandle(":1234"));
  EXPECT_EQ(12u, ParseWindowHandle("12abc"));
  EXPECT_EQ(0u, ParseWindowHandle(""));
  EXPECT_EQ(0u, ParseWindowHandle(" 12")) << "no blanks";
  EXPECT_EQ(0u, ParseWindowHandle("-12")) << "no sign";
  EXPECT_EQ(4294967295u, ParseWindowHandle("4294967295"));
}

TEST(WindowHandle, MoreThanTenDigitsWrap) {
  EXPECT_EQ(0u, ParseWindowHandle("4294967296"));
  EXPECT_EQ(1234u, ParseWindowHandle("4294968530"));      // 2^32 + 1234
  EXPECT_EQ(1234u, ParseWindowHandle("12884903122"));     // 3 * 2^32 + 1234, eleven digits
  EXPECT_EQ(1234u, ParseWindowHandle("000000000001234"));
}

TEST(Away, TheWordOfTheTailAndOfAKey) {
  const struct {
    const char* rest;
    int32_t word;
  } tails[] = {{"1", 1}, {"6", 6}, {"4  ", 4}, {"", 0}, {"0", 0}, {"7", 0}, {"44", 0}, {"4x", 0},
               {"4 5", 0}, {"-4", 0}, {":4", 0}};
  for (const auto& t : tails) EXPECT_EQ(t.word, AwayWordOfTail(t.rest)) << "rest '" << t.rest << "'";
  const struct {
    uint32_t key;
    int32_t word;
  } keys[] = {{'1', 1}, {'6', 6}, {0x61, 1}, {0x66, 6}, {'0', 0}, {'7', 0}, {0x60, 0}, {0x67, 0},
              {'A', 0}, {0x0D, 0}, {0x31 + 0x100, 0}};
  for (const auto& k : keys) EXPECT_EQ(k.word, AwayWordOfKey(k.key)) << "key 0x" << std::hex << k.key;
}

TEST(Away, InputWithinTwoSecondsOfTheWindowIsGraced) {
  EXPECT_TRUE(InAwayGrace(5000, 5000));
  EXPECT_TRUE(InAwayGrace(6999, 5000));
  EXPECT_FALSE(InAwayGrace(7000, 5000));
  EXPECT_TRUE(InAwayGrace(1000, 0xFFFFFFFFu - 499)) << "across the tick count's wrap";
  EXPECT_FALSE(InAwayGrace(1500, 0xFFFFFFFFu - 499));
}

TEST(CloseGate, RefusesWithin200MsOfTheLastVerification) {
  EXPECT_FALSE(RefusedWithoutAsking(5000, NoCheckYet)) << "no verification yet";
  EXPECT_TRUE(RefusedWithoutAsking(5000, 5000));
  EXPECT_TRUE(RefusedWithoutAsking(5199, 5000));
  EXPECT_FALSE(RefusedWithoutAsking(5200, 5000));
  // The tick count wrapped between the two: still measured as 100 ms.
  EXPECT_TRUE(RefusedWithoutAsking(50, 0xFFFFFFFFu - 49));
  EXPECT_FALSE(RefusedWithoutAsking(300, 0xFFFFFFFFu - 49));
}

}  // namespace
