// The registry store against Wine's real registry: fall-backs, odd stored forms, and writing.
#include "tests/win/test_support.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <string.h>
#include <string>
#include <vector>

namespace {

using StoreTest = FreshSettingsTest;

const wchar_t Shumi[] = L"趣味";  // the first preset and DefaultText
const wchar_t Kaigi[] = L"会議";  // the preset of slot 3

float BitsToFloat(uint32_t bits) {
  float f;
  memcpy(&f, &bits, sizeof f);
  return f;
}

std::string VectorOf(const MaterialLightRow& row, int n) {
  return std::string(reinterpret_cast<const char*>(row.vector), n * sizeof(float));
}

// A text's UTF-16 bytes, with or without its terminator.
std::string Bytes(const std::u16string& text, bool terminated) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + terminated) * sizeof(char16_t));
}

int StateOf(const char* valueName) {
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row)
    if (!strcmp(row->valueName, valueName)) return row->state;
  ADD_FAILURE() << "no row " << valueName;
  return -1;
}

// Opens the key for reading the way the saver does, and seeds Text as the GL child window does.
HKEY OpenAndSeed() {
  OpenSettingsKeyForRead();
  memcpy(SaverRun.Text, SaverState.DefaultText, sizeof SaverRun.Text);
  return SaverState.SettingsKey;
}

// Without a key nothing is created, and every reader leaves its built-in value: each row's, the
// default font, the tables as they were.
TEST_F(StoreTest, NoKeyGivesEveryBuiltInValue) {
  OpenSettingsKeyForRead();
  EXPECT_EQ(nullptr, SaverState.SettingsKey) << "the key must not be created for reading";
  HKEY key = SaverState.SettingsKey;

  wcscpy(SaverRun.Text, L"seed");
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(L"seed", SaverRun.Text);

  SingleSettings values;
  memset(&values, 0x5A, sizeof values);
  for (SettingGroup group : {SettingGroup::Shape, SettingGroup::Motion, SettingGroup::Word, SettingGroup::Away})
    ReadSettings(key, group, &values);
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row)
    EXPECT_EQ(row->builtIn, row->real ? values.*row->real : values.*row->number) << row->valueName;

  LOGFONTA font, builtIn;
  memset(&font, 0x5A, sizeof font);
  SetDefaultLogFont(&builtIn);
  EXPECT_FALSE(ReadLogFont(key, &font));
  EXPECT_EQ(0, memcmp(&builtIn, &font, sizeof font));

  std::vector<std::string> before;
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row)
    before.push_back(VectorOf(*row, row->width));
  std::vector<int> statesBefore;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) statesBefore.push_back(row->state);
  ReadGlCaps(key);
  ReadMaterialLight(key);
  size_t i = 0;
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row, ++i)
    EXPECT_EQ(before[i], VectorOf(*row, row->width)) << row->valueName;
  i = 0;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row, ++i)
    EXPECT_EQ(statesBefore[i], row->state) << row->valueName;
}

TEST_F(StoreTest, SelectedTextFollowsStoredStringIdOnly) {
  // Stored slot 3 without its value: the default text, not the preset of slot 3.
  SetDword(SettingsKeyPath, "StringID", 3);
  HKEY key = OpenAndSeed();
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(Shumi, SaverRun.Text);
  EXPECT_STRNE(Kaigi, SaverRun.Text);

  // A stored slot value is read into Text; the module-level StringID is not touched.
  SetText(SettingsKeyPath, "ZorvelString3", "ABC");
  StringID = 0;
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(L"ABC", SaverRun.Text);
  EXPECT_EQ(0, StringID);
  CloseSettingsKey();
}

TEST_F(StoreTest, StringIdMissingIgnoresSlotZero) {
  SetText(SettingsKeyPath, "ZorvelString0", "XYZ");
  HKEY key = OpenAndSeed();
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(Shumi, SaverRun.Text);
  CloseSettingsKey();
}

TEST_F(StoreTest, StringIdOutOfRangeNamesValuesNeverWritten) {
  SetDword(SettingsKeyPath, "StringID", 9);
  HKEY key = OpenAndSeed();
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(Shumi, SaverRun.Text);

  // -1 is looked up as "ZorvelString-1": only such a value, which the program never writes,
  // would be shown.
  SetDword(SettingsKeyPath, "StringID", static_cast<DWORD>(-1));
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(Shumi, SaverRun.Text);
  SetText(SettingsKeyPath, "ZorvelString-1", "minus");
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(L"minus", SaverRun.Text);
  CloseSettingsKey();
}

// A text value is its whole UTF-16 units up to the first NUL, never mixed with what the buffer
// held (趣味 here), and cut to a whole character where it is too long; any type but the two text
// types is no text. The saver's selected text reads so, as the dialog's slots do.
TEST_F(StoreTest, ATextValueIsTakenWholeUpToItsFirstNulAndNeverMixed) {
  const std::u16string pair = u"\U00020BB7";
  const struct {
    const char* what;
    DWORD type;
    std::string bytes;
    std::u16string text;
    TextRead read;
  } rows[] = {
    {"terminated", REG_SZ, Bytes(u"会議", true), u"会議", TextRead::Whole},
    {"unterminated", REG_SZ, Bytes(u"A", false), u"A", TextRead::Whole},
    {"an odd last byte", REG_SZ, Bytes(u"A", false) + "B", u"A", TextRead::Whole},
    {"a NUL inside", REG_SZ, Bytes(std::u16string(u"A\0B", 3), true), u"A", TextRead::Whole},
    {"empty", REG_SZ, "", u"", TextRead::Whole},
    {"unexpanded", REG_EXPAND_SZ, Bytes(u"%TEMP%", true), u"%TEMP%", TextRead::Whole},
    {"binary", REG_BINARY, Bytes(u"A", false), u"趣味", TextRead::None},
    {"a number", REG_DWORD, std::string(4, '\1'), u"趣味", TextRead::None},
    {"255 characters", REG_SZ, Bytes(std::u16string(255, u'x'), true), std::u16string(255, u'x'), TextRead::Whole},
    {"256 without NUL", REG_SZ, Bytes(std::u16string(256, u'B'), false), std::u16string(255, u'B'), TextRead::Cut},
    {"299 characters", REG_SZ, Bytes(std::u16string(299, u'L'), true), std::u16string(255, u'L'), TextRead::Cut},
    {"a pair at the cut", REG_SZ, Bytes(std::u16string(254, u'a') + pair, true), std::u16string(254, u'a'),
     TextRead::Cut},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetRawWide(SettingsKeyPath, "ZorvelString2", row.type, row.bytes.data(), static_cast<DWORD>(row.bytes.size()));
    HKEY key = OpenAndSeed();
    EXPECT_EQ(row.read, ReadTextSetting(key, "ZorvelString2", SaverRun.Text));
    EXPECT_EQ(row.text, std::u16string(reinterpret_cast<const char16_t*>(SaverRun.Text)));
    CloseSettingsKey();
  }
}

TEST_F(StoreTest, ScalarsIgnoreTheRegistryType) {
  int32_t linesFormat = 0;
  SetRaw(SettingsKeyPath, "Format", REG_BINARY, &linesFormat, 4);
  const uint32_t oneBits = 0x3F800000;  // 1.0f
  SetRaw(SettingsKeyPath, "Deviation", REG_DWORD, &oneBits, 4);
  HKEY key = OpenAndSeed();

  int32_t format = 7;
  ReadIntSetting(key, "Format", &format, 1);
  EXPECT_EQ(0, format);
  float deviation = 7;
  ReadFloatSetting(key, "Deviation", &deviation, 0.0f);
  EXPECT_EQ(1.0f, deviation);
  CloseSettingsKey();
}

TEST_F(StoreTest, ScalarsOfOtherSizes) {
  // Longer than four bytes: unreadable, so the default.
  const float pair[2] = {2.0f, 3.0f};
  SetRaw(SettingsKeyPath, "Extrusion", REG_BINARY, pair, 8);
  // Shorter: a little-endian number whose missing high bytes are zero.
  const unsigned char twoBytes[2] = {0x34, 0x12};
  SetRaw(SettingsKeyPath, "Format", REG_BINARY, twoBytes, 2);
  const unsigned char highHalf[2] = {0x80, 0x3F};
  SetRaw(SettingsKeyPath, "UserScale", REG_BINARY, highHalf, 2);
  HKEY key = OpenAndSeed();

  float extrusion = 7;
  ReadFloatSetting(key, "Extrusion", &extrusion, 0.15f);
  EXPECT_EQ(0.15f, extrusion);
  int32_t format = 7;
  ReadIntSetting(key, "Format", &format, 1);
  EXPECT_EQ(0x1234, format);
  float scale = 7;
  ReadFloatSetting(key, "UserScale", &scale, 0.55f);
  EXPECT_EQ(BitsToFloat(0x3F80), scale);
  CloseSettingsKey();
}

// Each row's rule, on the way from the registry: a NaN scale drew nothing, it is the built-in one.
TEST_F(StoreTest, StoredValuesAreTakenAsTheSaverTakesThem) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 5);
  SetDword(SettingsKeyPath, "Motion", 2);
  const uint32_t quietNaN = 0x7FC00000;
  SetRaw(SettingsKeyPath, "UserScale", REG_BINARY, &quietNaN, 4);
  SingleSettings values = {};
  ReadSettings(OpenAndSeed(), SettingGroup::Motion, &values);
  ReadSettings(SaverState.SettingsKey, SettingGroup::Shape, &values);
  EXPECT_EQ(10, values.stepsPerSecond) << "below the range: the slowest";
  EXPECT_EQ(0, values.motion) << "anything but 1 tumbles";
  EXPECT_EQ(0.55f, values.userScale) << "no number: the built-in scale";
  CloseSettingsKey();
}

TEST_F(StoreTest, ShortLogFontIsAccepted) {
  LOGFONTA stored = {};
  stored.lfHeight = -40;
  stored.lfWeight = 700;
  stored.lfCharSet = SHIFTJIS_CHARSET;
  strcpy(stored.lfFaceName, "Face");
  SetRaw(SettingsKeyPath, "LogFont", REG_BINARY, &stored, 28);  // up to and including lfPitchAndFamily
  HKEY key = OpenAndSeed();
  LOGFONTA font;
  ReadLogFont(key, &font);
  EXPECT_EQ(-40, font.lfHeight);
  EXPECT_EQ(700, font.lfWeight);
  EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);
  EXPECT_EQ(std::string(LF_FACESIZE, '\0'), std::string(font.lfFaceName, LF_FACESIZE));
  CloseSettingsKey();
}

TEST_F(StoreTest, LogFontFaceNameIsAlwaysTerminated) {
  LOGFONTA stored;
  memset(&stored, 'F', sizeof stored);
  SetRaw(SettingsKeyPath, "LogFont", REG_BINARY, &stored, sizeof stored);
  HKEY key = OpenAndSeed();
  LOGFONTA font;
  ReadLogFont(key, &font);
  EXPECT_EQ(std::string(LF_FACESIZE - 1, 'F'), std::string(font.lfFaceName));

  // Larger than a record: unreadable, so the default font.
  char tooLong[64] = {};
  SetRaw(SettingsKeyPath, "LogFont", REG_BINARY, tooLong, sizeof tooLong);
  ReadLogFont(key, &font);
  EXPECT_EQ(-28, font.lfHeight);
  EXPECT_EQ("4D 53 20 96 BE 92 A9", Hex(font.lfFaceName));
  CloseSettingsKey();
}

TEST_F(StoreTest, MaterialLightReadSizes) {
  const float sixteen[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  SetRaw(SettingsKeyPath, "mat_shininess", REG_BINARY, sixteen, 16);  // read size 4: not read
  const float two[2] = {0.7f, 0.8f};
  SetRaw(SettingsKeyPath, "light_ambient", REG_BINARY, two, 8);       // replaces the first two floats
  const float four[4] = {0.0f, 0.0f, 1.0f, 1.0f};
  SetRaw(SettingsKeyPath, "mat_emission", REG_BINARY, four, 16);
  HKEY key = OpenAndSeed();
  ReadMaterialLight(key);
  const MaterialLightRow* table = GetMaterialLightTable();
  EXPECT_EQ(12.0f, table[MatShininessRow].vector[0]);
  EXPECT_EQ(0.7f, table[LightAmbientRow].vector[0]);
  EXPECT_EQ(0.8f, table[LightAmbientRow].vector[1]);
  EXPECT_EQ(0.0f, table[LightAmbientRow].vector[2]);
  EXPECT_EQ(1.0f, table[LightAmbientRow].vector[3]);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(four), 16), VectorOf(table[MatEmissionRow], 4));

  const float one = 64.0f;
  SetRaw(SettingsKeyPath, "mat_shininess", REG_BINARY, &one, 4);
  ReadMaterialLight(key);
  EXPECT_EQ(64.0f, table[MatShininessRow].vector[0]);
  CloseSettingsKey();
}

TEST_F(StoreTest, GlSwitchesUseTheLowByteOnly) {
  SetDword(SettingsKeyPath, "GL_DEPTH_TEST", 256);    // low byte 0: off
  SetDword(SettingsKeyPath, "GL_CULL_FACE", 257);     // low byte 1: on
  SetDword(SettingsKeyPath, "GL_LIGHTING", 2);        // read as 2, which counts as off
  HKEY key = OpenAndSeed();
  ReadGlCaps(key);
  EXPECT_EQ(0, StateOf("GL_DEPTH_TEST"));
  EXPECT_EQ(1, StateOf("GL_CULL_FACE"));
  EXPECT_EQ(2, StateOf("GL_LIGHTING"));
  EXPECT_EQ(1, StateOf("GL_DITHER")) << "a missing value keeps its state";
  CloseSettingsKey();
}

TEST_F(StoreTest, FirstSaveCreatesTheWholePath) {
  ASSERT_EQ(1, OpenSettingsKeyForWrite());
  ASSERT_NE(nullptr, SaverState.SettingsKey);
  EXPECT_EQ(ERROR_SUCCESS, WriteIntSetting(SaverState.SettingsKey, "StringID", 2));
  const float scale = 0.75f;
  EXPECT_EQ(ERROR_SUCCESS, WriteBinarySetting(SaverState.SettingsKey, "UserScale", &scale, sizeof scale));
  EXPECT_EQ(ERROR_SUCCESS, WriteTextSetting(SaverState.SettingsKey, "ZorvelString2", Kaigi));
  CloseSettingsKey();
  EXPECT_EQ(nullptr, SaverState.SettingsKey);

  DWORD type;
  std::string bytes;
  ASSERT_TRUE(GetRaw(SettingsKeyPath, "StringID", &type, &bytes));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(std::string("\x02\0\0\0", 4), bytes);
  ASSERT_TRUE(GetRaw(SettingsKeyPath, "UserScale", &type, &bytes));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&scale), 4), bytes);
  ASSERT_TRUE(GetRaw(SettingsKeyPath, "ZorvelString2", &type, &bytes));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(Hex(std::string("\x89\xEF\x8B\x63", 5)), Hex(bytes)) << "会議 with its terminator, read in code page 932";

  // The saver, next time, reads what was written.
  HKEY key = OpenAndSeed();
  ASSERT_NE(nullptr, key);
  ReadSelectedText(key, SaverRun.Text);
  EXPECT_STREQ(Kaigi, SaverRun.Text);
  CloseSettingsKey();
}

}  // namespace
