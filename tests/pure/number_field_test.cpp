// The edit-field numbers: what the pages show, and what they read back from what a user typed.
#include "config_ui/number_field.h"
#include <gtest/gtest.h>
#include <float.h>
#include <math.h>
#include <string>

namespace {

std::string Shown(float value) {
  char text[NumberFieldSize];
  FormatFloatField(text, sizeof text, value);
  return text;
}

TEST(NumberField, FloatsShowWithSixDecimals) {
  EXPECT_EQ("0.000000", Shown(0.0f));
  EXPECT_EQ("0.150000", Shown(0.15f));
  EXPECT_EQ("0.550000", Shown(0.55f));
  EXPECT_EQ("-2.000000", Shown(-2.0f));
  EXPECT_EQ("0.000000", Shown(1e-7f)) << "below the sixth decimal";
  EXPECT_EQ("1000000015047466219876688855040.000000", Shown(1e30f));
  EXPECT_EQ(39u + 8u, Shown(-FLT_MAX).size()) << "the widest float fits the field buffer";
  EXPECT_EQ("nan", Shown(NAN));
  EXPECT_EQ("inf", Shown(INFINITY));
  EXPECT_EQ("-inf", Shown(-INFINITY));
  char text[NumberFieldSize];
  FormatIntField(text, sizeof text, 12);
  EXPECT_STREQ("12", text);
}

// What a user can type into a float field: the grammar of the classic run-time's "%f".
TEST(NumberField, FloatGrammar) {
  const float Kept = 7.0f;  // the value before the entry was read
  struct Row {
    const char* text;
    float expected;  // Kept: no number was read
  } rows[] = {
    {"1.5", 1.5f}, {"-2", -2.0f}, {"+3", 3.0f}, {"0", 0.0f}, {"2.5", 2.5f},
    {"1.5xyz", 1.5f}, {"  3e1", 30.0f}, {"\t\r\n\v\f4", 4.0f}, {"3E+1", 30.0f}, {"-.5e-1", -0.05f},
    {".5", 0.5f}, {"5.", 5.0f}, {"1,5", 1.0f}, {"1 5", 1.0f}, {"1..5", 1.0f},
    {"1e", 1.0f}, {"1e+", 1.0f}, {"1ee5", 1.0f}, {"2e-", 2.0f},
    {"0x10", 0.0f}, {"0x1p3", 0.0f}, {"1e-50", 0.0f}, {"0.1234567", 0.1234567f},
    {"00012", 12.0f}, {"-0", -0.0f},
    // No number: the value is kept.
    {"", Kept}, {"   ", Kept}, {"abc", Kept}, {"+", Kept}, {"-", Kept}, {".", Kept}, {"-.", Kept},
    {"+-1", Kept}, {"- 1", Kept}, {"e5", Kept}, {".e5", Kept},
    {"inf", Kept}, {"-infinity", Kept}, {"nan", Kept}, {"NAN(1)", Kept},
    {"\x82\x50", Kept},              // a full-width digit one (code page 932)
    {"\x81\x40" "1", Kept},          // an ideographic space is not white space to the run-time
    {"1e39", Kept}, {"-1e300", Kept}, // beyond the float range
  };
  for (const Row& row : rows) {
    float value = Kept;
    bool read = ParseFloatField(row.text, &value);
    EXPECT_EQ(row.expected, value) << "\"" << row.text << "\"";
    EXPECT_EQ(read, !(row.expected == Kept)) << "\"" << row.text << "\"";
    if (row.expected == 0.0f) {
      EXPECT_EQ(signbit(row.expected), signbit(value)) << "\"" << row.text << "\"";
    }
  }
}

// The material page's shininess: "%d", accepted from 0 to 128.
TEST(NumberField, ShininessGrammarAndRange) {
  const float Kept = 12.0f;
  struct Row {
    const char* text;
    float expected;
  } rows[] = {
    {"128", 128.0f}, {"0", 0.0f}, {"-0", 0.0f}, {"+64", 64.0f}, {"64.9", 64.0f}, {" 7abc", 7.0f},
    {"0128", 128.0f}, {"1e2", 1.0f},
    {"129", Kept}, {"-1", Kept}, {"", Kept}, {"abc", Kept}, {".5", Kept}, {"- 5", Kept},
    {"4294967297", Kept}, {"-4294967295", Kept},  // would wrap to 1 in 32-bit arithmetic
    {"99999999999999999999999", Kept},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.expected, ReadShininessField(row.text, Kept)) << "\"" << row.text << "\"";
  int32_t value = 5;
  EXPECT_TRUE(ParseIntField("-2147483649", &value));
  EXPECT_EQ(INT32_MIN, value);
}

TEST(NumberField, ShininessShownTruncated) {
  EXPECT_EQ(12, ShininessShown(12.0f));
  EXPECT_EQ(12, ShininessShown(12.7f));
  EXPECT_EQ(-3, ShininessShown(-3.9f));
  EXPECT_EQ(0, ShininessShown(NAN));
  EXPECT_EQ(INT32_MAX, ShininessShown(1e30f));
  EXPECT_EQ(INT32_MIN, ShininessShown(-INFINITY));
}

}  // namespace
