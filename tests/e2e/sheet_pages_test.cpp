// The pages of the tables, light, material and options, with the about page; and the sheet as a
// whole: a cancel on every page, and a save that fails.
#include "tests/e2e/config_driver.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include <commctrl.h>
#include <map>

namespace e2e {
namespace {

using ConfigSheet = ConfigTest;

// The rows of the light (sheet page 1) and material (page 2) pages: the value each is stored under
// and its first edit; the row's other edits follow it. The shininess has one edit, the others four.
struct VectorRow {
  const char* name;
  int page;
  int firstEdit;
  int edits;
};
const VectorRow VectorRows[] = {
  {"light_ambient", 1, IDC_LIGHT_AMBIENT, 4}, {"light_diffuse", 1, IDC_LIGHT_DIFFUSE, 4}, {"light_specular", 1, IDC_LIGHT_SPECULAR, 4},
  {"lmodel_ambient", 1, IDC_LMODEL_AMBIENT, 4}, {"light_position", 1, IDC_LIGHT_POSITION, 4}, {"mat_ambient", 2, IDC_MAT_AMBIENT, 4},
  {"mat_diffuse", 2, IDC_MAT_DIFFUSE, 4}, {"mat_specular", 2, IDC_MAT_SPECULAR, 4}, {"mat_emission", 2, IDC_MAT_EMISSION, 4},
  {"mat_shininess", 2, IDC_SHININESS, 1},
};

// The GL switches in the order of their check boxes (from IDC_FIRST_SWITCH on), with their built-in
// states.
struct Switch {
  const char* name;
  int box;
  int builtIn;
};
const std::vector<Switch> Switches = [] {
  std::vector<Switch> switches;
  int box = IDC_FIRST_SWITCH;
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row)
    switches.push_back({row->valueName, box++, row->state});
  return switches;
}();

// A number of its own for every edit of the two pages: whole, as the shininess is shown and read
// as an integer, and within the shininess's 0 to 128 (light 23 to 42, material 75 to 91).
float Distinct(int edit) { return static_cast<float>(edit % 1000 + (edit / 1000 - 1) * 64); }
std::vector<float> DistinctRow(const VectorRow& row) {
  std::vector<float> values;
  for (int i = 0; i < row.edits; ++i) values.push_back(Distinct(row.firstEdit + i));
  return values;
}
// As an edit of the row shows it: "%f", and "%d" for the shininess.
std::string Shown(const VectorRow& row, float value) {
  return row.edits == 1 ? std::to_string(static_cast<int>(value)) : std::to_string(value);
}

// Every value under the settings key: its name, then its type and bytes.
std::map<std::string, std::string> StoredSettings() {
  std::map<std::string, std::string> values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  char name[256];
  BYTE data[1024];
  DWORD nameSize = sizeof name, type = 0, size = sizeof data;
  for (DWORD i = 0; RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &size) == ERROR_SUCCESS; ++i) {
    values[name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
    nameSize = sizeof name, size = sizeof data;
  }
  RegCloseKey(key);
  return values;
}
// The light and material pages show the table in memory and apply into it: a second sheet in the
// same dialog shows what the first applied. A page that was never shown writes nothing.
TEST_F(ConfigSheet, LightAndMaterialPagesApplyIntoTheTableAndTheRegistry) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND light = ShowPage(1);
  EXPECT_EQ("0.100000", TextOf(GetDlgItem(light, IDC_LIGHT_AMBIENT)));
  EXPECT_EQ("0.000000", TextOf(GetDlgItem(light, IDC_LIGHT_POSITION + 3)));
  SetTextOf(GetDlgItem(light, IDC_LIGHT_AMBIENT + 1), "2.5");
  SetTextOf(GetDlgItem(light, IDC_LIGHT_AMBIENT + 2), "abc");
  SetTextOf(GetDlgItem(light, IDC_LIGHT_POSITION + 3), "-1");
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ((std::vector<float>{0.1f, 2.5f, 0.0f, 1.0f}), GetFloats(SettingsKeyPath, "light_ambient"));
  EXPECT_EQ((std::vector<float>{1.0f, 1.0f, 1.0f, -1.0f}), GetFloats(SettingsKeyPath, "light_position"));
  for (const char* row : {"light_diffuse", "light_specular", "lmodel_ambient"})
    EXPECT_EQ(4u, GetFloats(SettingsKeyPath, row).size()) << row;
  EXPECT_TRUE(GetFloats(SettingsKeyPath, "mat_ambient").empty()) << "the material page was never shown";
  EXPECT_TRUE(GetFloats(SettingsKeyPath, "mat_shininess").empty());

  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ("2.500000", TextOf(GetDlgItem(ShowPage(1), IDC_LIGHT_AMBIENT + 1)));
  HWND material = ShowPage(2);
  EXPECT_EQ("12", TextOf(GetDlgItem(material, IDC_SHININESS)));
  EXPECT_EQ("0.250000", TextOf(GetDlgItem(material, IDC_MAT_AMBIENT)));
  SetTextOf(GetDlgItem(material, IDC_SHININESS), "129");
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(std::vector<float>{12.0f}, GetFloats(SettingsKeyPath, "mat_shininess")) << "129 is refused";
  EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}), GetFloats(SettingsKeyPath, "mat_emission"));

  ASSERT_NE(nullptr, OpenSheet());
  SetTextOf(GetDlgItem(ShowPage(2), IDC_SHININESS), "64.9");
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(std::vector<float>{64.0f}, GetFloats(SettingsKeyPath, "mat_shininess"));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// Stored rows and switches: each row in its own edits, each switch in its own box, and OK stores
// every one of them again unchanged.
TEST_F(ConfigSheet, StoredRowsAndSwitchesAreShownAndOkKeepsThem) {
  for (const VectorRow& row : VectorRows) {
    std::vector<float> values = DistinctRow(row);
    SetRaw(SettingsKeyPath, row.name, REG_BINARY, values.data(), static_cast<DWORD>(values.size() * sizeof(float)));
  }
  for (const Switch& in : Switches) SetDword(SettingsKeyPath, in.name, 1 - in.builtIn);
  const std::map<std::string, std::string> stored = StoredSettings();
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  for (const VectorRow& row : VectorRows) {
    HWND page = ShowPage(row.page);
    for (int i = 0; i < row.edits; ++i)
      EXPECT_EQ(Shown(row, Distinct(row.firstEdit + i)), TextOf(GetDlgItem(page, row.firstEdit + i)))
          << row.name << ", edit " << row.firstEdit + i;
  }
  HWND options = ShowPage(3);
  for (const Switch& in : Switches)
    EXPECT_EQ(1 - in.builtIn, SendMessageA(GetDlgItem(options, in.box), BM_GETCHECK, 0, 0)) << in.name;
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  std::map<std::string, std::string> after = StoredSettings();  // the shape page's values besides
  for (const auto& value : stored) EXPECT_EQ(value.second, after[value.first]) << value.first;
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// A number of its own typed into every edit of both pages: each row is stored under its own name.
TEST_F(ConfigSheet, EveryRowTypedIsStoredUnderItsOwnName) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  for (const VectorRow& row : VectorRows) {
    HWND page = ShowPage(row.page);
    for (int i = 0; i < row.edits; ++i)
      SetTextOf(GetDlgItem(page, row.firstEdit + i), Shown(row, Distinct(row.firstEdit + i)));
  }
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  for (const VectorRow& row : VectorRows) EXPECT_EQ(DistinctRow(row), GetFloats(SettingsKeyPath, row.name)) << row.name;
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

TEST_F(ConfigSheet, OptionsStoreEverySwitchAndAboutShowsTheVersionAndText) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND options = ShowPage(3);
  for (const Switch& in : Switches)
    EXPECT_EQ(in.builtIn, SendMessageA(GetDlgItem(options, in.box), BM_GETCHECK, 0, 0)) << in.name;
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, IDC_FIRST_SWITCH)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, IDC_FIRST_SWITCH + 7)));
  SendMessageA(GetDlgItem(options, IDC_FIRST_SWITCH + 6), BM_CLICK, 0, 0);  // LIGHTING off

  HWND about = ShowPage(5);
  EXPECT_EQ("Vorlux", TextOf(GetDlgItem(about, IDC_PRODUCT_NAME)));
  EXPECT_EQ("1.0.0.1", TextOf(GetDlgItem(about, IDC_FILE_VERSION)));
  EXPECT_EQ(0u, TextOf(GetDlgItem(about, IDC_COPYRIGHT)).find("Copyright")) << TextOf(GetDlgItem(about, IDC_COPYRIGHT));
  EXPECT_NE(0, SendMessageA(GetDlgItem(about, 5), STM_GETICON, 0, 0)) << "the program icon";
  EXPECT_EQ(AboutText(), TextOf(GetDlgItem(about, IDC_ABOUT_TEXT))) << "the whole about text, to its last byte";

  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  for (const Switch& in : Switches)
    EXPECT_EQ(in.box == IDC_FIRST_SWITCH + 6 ? 0u : static_cast<DWORD>(in.builtIn), GetNumber(SettingsKeyPath, in.name, 99)) << in.name;
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// Cancelling the sheet on any page, after a change there, stores nothing.
TEST_F(ConfigSheet, CancelOnEveryPageLeavesTheRegistryAsItWas) {
  SetDword(SettingsKeyPath, "GL_LIGHTING", 1);
  const std::map<std::string, std::string> before = StoredSettings();
  ASSERT_NE(nullptr, OpenDialog());
  const struct {
    int page;
    int control;
    const char* typed;  // none: the check box is clicked
  } changes[] = {{0, IDC_DEVIATION, "9"},         {1, IDC_LIGHT_DIFFUSE, "9"}, {2, IDC_SHININESS, "99"},
                 {3, IDC_FIRST_SWITCH + 6, nullptr}, {4, IDC_SPEED, "120"},     {4, IDC_MOTION_FACE, nullptr}};
  for (const auto& change : changes) {
    ASSERT_NE(nullptr, OpenSheet());
    HWND control = GetDlgItem(ShowPage(change.page), change.control);
    if (change.typed)
      SetTextOf(control, change.typed);
    else
      SendMessageA(control, BM_CLICK, 0, 0);
    ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
    EXPECT_EQ(before, StoredSettings()) << "cancelled on page " << change.page;
  }
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// A key that can be neither opened nor created: a volatile parent takes no lasting subkey.
TEST_F(ConfigSheet, ASaveThatFailsIsToldAndKeepsTheDialogAndTheSheetOpen) {
  HKEY parent;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, SettingsRoot, 0, nullptr, REG_OPTION_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &parent, nullptr));
  RegCloseKey(parent);
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, ConfirmButton);
  HWND box = WaitForOwnedDialog(dialog_);
  ASSERT_NE(nullptr, box) << "no message about the failed save";
  EXPECT_EQ("Vorluxの設定", TextOf(box));
  EXPECT_EQ(0u, TextOf(GetDlgItem(box, 0xFFFF)).find("設定を保存できませんでした。\r\n"))
      << TextOf(GetDlgItem(box, 0xFFFF));
  Click(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));

  ASSERT_NE(nullptr, OpenSheet());
  HWND light = ShowPage(1);
  SetTextOf(GetDlgItem(light, IDC_LIGHT_AMBIENT), "0.5");
  PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_OK, 0);
  box = WaitForOwnedDialog(sheet_);
  ASSERT_NE(nullptr, box) << "no message from the sheet";
  Click(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(IsWindow(sheet_)) << "the sheet stays open";
  EXPECT_EQ(light, PropSheet_GetCurrentPageHwnd(sheet_));
  EXPECT_EQ("0.5", TextOf(GetDlgItem(light, IDC_LIGHT_AMBIENT))) << "nothing typed is lost";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

}  // namespace
}  // namespace e2e
