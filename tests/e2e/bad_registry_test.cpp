// Whatever is stored, the saver starts, closes on a key within the usual time and ends with 0:
// every value it reads, in every registry type and in the sizes around the one it reads, and the
// hostile numbers (NaN, infinities, huge, subnormal and tiny). One saver process per row, all in
// this test's prefix. A row stores many values at once; a row that fails is run again one value
// at a time, so that the failure names the value.
#include "tests/e2e/driver.h"
#include "settings/settings.h"
#include <sddl.h>
#include <float.h>
#include <math.h>
#include <string>
#include <vector>

namespace e2e {
namespace {

enum class Kind { Text, Integer, Float, Floats, Record };

struct Setting {
  std::string name;
  DWORD readSize;  // the bytes the saver asks for
  Kind kind;
};

// Every value a full-screen run reads, from the program's own tables. The text is the slot that
// StringID 0 names.
std::vector<Setting> SettingsRead() {
  std::vector<Setting> settings = {
      {StringIdValueName, 4, Kind::Integer},
      {"ZorvelString0", TextBufferSize, Kind::Text},
      {LogFontValueName, sizeof(LOGFONTA), Kind::Record},
  };
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row)
    settings.push_back({row->valueName, 4, row->real ? Kind::Float : Kind::Integer});
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row)
    settings.push_back({row->valueName, 4, Kind::Integer});
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row)
    settings.push_back({row->valueName, static_cast<DWORD>(row->width * sizeof(float)),
                        row->width > 1 ? Kind::Floats : Kind::Float});
  return settings;
}

struct Stored {
  const Setting* setting;
  DWORD type;
  std::string bytes;
};

struct Row {
  std::string what;
  std::vector<Stored> values;
};

// The values are stored in four parts, since a bad text or font can leave nothing to build and
// so hide what a bad shape value does: the shape, light and switch values; the text of slot 0
// (with a good StringID 0 naming it); the font; StringID itself. The bytes are lead bytes of code
// page 932: a torn character wherever a size cuts, subnormal floats where a short read is
// zero-extended, tiny negative floats and negative integers where it is not.
int PartOf(const Setting& setting) {
  if (setting.kind == Kind::Text) return 1;
  if (setting.kind == Kind::Record) return 2;
  return setting.name == StringIdValueName ? 3 : 0;
}

std::vector<Row> SizeRows(const std::vector<Setting>& settings) {
  const struct {
    DWORD type;
    const char* name;
  } types[] = {{REG_NONE, "REG_NONE"},           {REG_SZ, "REG_SZ"},
               {REG_EXPAND_SZ, "REG_EXPAND_SZ"}, {REG_BINARY, "REG_BINARY"},
               {REG_DWORD, "REG_DWORD"},         {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
               {REG_MULTI_SZ, "REG_MULTI_SZ"},   {REG_QWORD, "REG_QWORD"}};
  const struct {
    const char* name;
    DWORD (*size)(DWORD readSize);
  } sizes[] = {{"0 bytes", [](DWORD) -> DWORD { return 0; }},
               {"1 byte", [](DWORD) -> DWORD { return 1; }},
               {"3 bytes", [](DWORD) -> DWORD { return 3; }},
               {"read size - 1", [](DWORD read) { return read - 1; }},
               {"read size + 1", [](DWORD read) { return read + 1; }},
               {"300 bytes", [](DWORD) -> DWORD { return 300; }}};
  const char* parts[] = {"shape, light and switches", "text", "font", "StringID"};
  static const Setting slotZero = {StringIdValueName, 4, Kind::Integer};
  std::vector<Row> rows;
  for (const auto& type : types) {
    for (const auto& size : sizes) {
      for (int part = 0; part < 4; ++part) {
        Row row{std::string(parts[part]) + ", " + type.name + ", " + size.name, {}};
        if (part == 1) row.values.push_back({&slotZero, REG_DWORD, std::string(4, '\0')});
        for (const Setting& setting : settings)
          if (PartOf(setting) == part)
            row.values.push_back({&setting, type.type, std::string(size.size(setting.readSize), '\x81')});
        rows.push_back(row);
      }
    }
  }
  return rows;
}

std::vector<Row> NumberRows(const std::vector<Setting>& settings) {
  const struct {
    const char* name;
    float value;
  } floats[] = {{"NaN", NAN},       {"+Inf", INFINITY}, {"-Inf", -INFINITY}, {"+1e30", 1e30f},   {"-1e30", -1e30f},
                {"FLT_MIN", FLT_MIN}, {"1e-40", 1e-40f}, {"1e-45", 1e-45f},  {"1e-9", 1e-9f},    {"1e-10", 1e-10f},
                {"1e-12", 1e-12f},  {"1e-15", 1e-15f},  {"1e-20", 1e-20f},   {"1e-30", 1e-30f}};
  const struct {
    const char* name;
    int32_t value;
  } integers[] = {{"INT_MIN", INT32_MIN}, {"-1", -1}, {"2", 2}, {"6", 6}, {"INT_MAX", INT32_MAX}};
  std::vector<Row> rows;
  for (const auto& number : floats) {
    Row row{std::string("every float ") + number.name, {}};
    for (const Setting& setting : settings) {
      if (setting.kind != Kind::Float && setting.kind != Kind::Floats) continue;
      std::vector<float> vector(setting.readSize / 4, number.value);
      std::string bytes(reinterpret_cast<char*>(vector.data()), setting.readSize);
      row.values.push_back({&setting, REG_BINARY, bytes});
    }
    rows.push_back(row);
  }
  for (const auto& number : integers) {
    Row row{std::string("every integer ") + number.name, {}};
    for (const Setting& setting : settings)
      if (setting.kind == Kind::Integer)
        row.values.push_back({&setting, REG_DWORD, std::string(reinterpret_cast<const char*>(&number.value), 4)});
    rows.push_back(row);
  }
  return rows;
}

using BadRegistry = SaverTest;

// Stores the values, runs the saver until it draws (or a few seconds pass), presses a key and
// returns what went wrong, or "" when it ended with 0 in time.
std::string RunSaverOn(const std::vector<Stored>& values, const std::function<Process(const std::string&)>& launch) {
  DeleteKey(SettingsKeyPath);
  for (const Stored& value : values) {
    DWORD size = static_cast<DWORD>(value.bytes.size());
    SetRaw(SettingsKeyPath, value.setting->name.c_str(), value.type, value.bytes.data(), size);
  }
  ForgetFrames();
  Process process = launch("/s");
  if (!WaitForTopLevel(process, SaverClass)) return "no saver window within 10 s";
  WaitUntil([] { return SwapCount() >= 1; }, 1000);  // a text it cannot show draws nothing
  DWORD code = ExitCodeAfterKey(process);
  if (code == 0) return "";
  return code == Running ? "still running " + std::to_string(CloseTimeMs) + " ms after a key press"
                         : "exit code " + std::to_string(code);
}

TEST_F(BadRegistry, EveryReadValueInEveryTypeAndSizeAndEveryHostileNumberStartsAndClosesOnAKey) {
  std::vector<Setting> settings = SettingsRead();
  std::vector<Row> rows = SizeRows(settings), numbers = NumberRows(settings);
  rows.insert(rows.end(), numbers.begin(), numbers.end());
  auto launch = [this](const std::string& tail) { return LaunchSaver(tail); };
  for (const Row& row : rows) {
    std::string failure = RunSaverOn(row.values, launch);
    if (failure.empty()) continue;
    std::string culprits;
    for (const Stored& value : row.values) {
      std::string alone = RunSaverOn({value}, launch);
      if (!alone.empty()) culprits += " " + value.setting->name + " (" + alone + ")";
    }
    ADD_FAILURE() << row.what << ": expected exit code 0 within " << CloseTimeMs << " ms of a key press, got "
                  << failure << "; alone:" << (culprits.empty() ? " none fails" : culprits);
  }
}

// A key the user may read but not change (an administrator's preset, say) is read: here a text of
// one stroke, "一", drawn one step a frame, so that frame 70 shows it nearly face on.
TEST_F(BadRegistry, AKeyThatMayBeReadButNotChangedIsHonoured) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 0);
  SetDword(SettingsKeyPath, "StringID", 0);
  SetText(SettingsKeyPath, "ZorvelString0", "\x88\xEA");
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, WRITE_DAC, &key));
  PSECURITY_DESCRIPTOR readOnly = nullptr;  // everyone may read, no one may change
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly,
                                                                   nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly));
  LocalFree(readOnly);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_SET_VALUE, &key));

  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run, 70));
  Frame frame;
  ASSERT_TRUE(WaitUntil([&] { return ReadFrame(70, &frame); }, 20000));
  int lit = Measure(frame).lit;
  EXPECT_GT(lit, 500);
  EXPECT_LT(lit, 5000) << "one stroke, not the default text's two characters";
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
}

}  // namespace
}  // namespace e2e
