// The configuration dialog and its property sheet, driven from outside in a launched vorlux.scr:
// what they show, what they store, and what the user is told when a save fails.
#include "tests/e2e/config_driver.h"
#include "settings/settings.h"
#include <commctrl.h>
#include <map>

namespace e2e {
namespace {

using ConfigDialog = ConfigTest;
using ConfigSheet = ConfigTest;

const std::vector<std::string> Presets = {"趣味", "休憩", "打合せ", "会議", "食事", "外出"};

std::string Slot(int i) { return Utf8(GetText(SettingsKeyPath, ("ZorvelString" + std::to_string(i)).c_str())); }

// The rows of the light (sheet page 1) and material (page 2) pages: the value each is stored under
// and its first edit; the row's other edits follow it. The shininess has one edit, the others four.
struct VectorRow {
  const char* name;
  int page;
  int firstEdit;
  int edits;
};
const VectorRow VectorRows[] = {
  {"light_ambient", 1, 1023, 4}, {"light_diffuse", 1, 1027, 4}, {"light_specular", 1, 1031, 4},
  {"lmodel_ambient", 1, 1035, 4}, {"light_position", 1, 1039, 4}, {"mat_ambient", 2, 2011, 4},
  {"mat_diffuse", 2, 2015, 4}, {"mat_specular", 2, 2019, 4}, {"mat_emission", 2, 2023, 4},
  {"mat_shininess", 2, 2027, 1},
};

// The GL switches in the order of their check boxes (from 1054 on), with their built-in states.
struct Switch {
  const char* name;
  int box;
  int builtIn;
};
const std::vector<Switch> Switches = [] {
  std::vector<Switch> switches;
  int box = 1054;
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

TEST_F(ConfigDialog, FirstRunShowsThePresetsAndAConfirmStoresEverySlot) {
  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ(Presets, ListEntries());
  EXPECT_EQ("趣味", (TextOf(GetDlgItem(dialog_, TextCombo)))) << "slot 0 selected";
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(0u, GetNumber(SettingsKeyPath, "StringID", 99));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Presets[i], Slot(i)) << "slot " << i;
}

// Several slots changed in one run: each typed text takes its slot's place in the list at the
// first confirm, and a confirm without typing stores them all with the slot picked last.
TEST_F(ConfigDialog, ATypedTextReplacesItsSlotAndTheNextConfirmStoresIt) {
  ASSERT_NE(nullptr, OpenDialog());
  HWND combo = GetDlgItem(dialog_, TextCombo);
  SelectEntry(2);
  SetTextOf(combo, "打合せ中");
  Click(dialog_, ConfirmButton);
  std::vector<std::string> expected = Presets;
  expected[2] = "打合せ中";
  WaitUntil([&] { return ListEntries() == expected; }, 2000);
  EXPECT_EQ(expected, ListEntries()) << "the first confirm replaces in place, not sorted in";
  ASSERT_EQ(Running, process_.WaitForExit(0)) << "and keeps the dialog open";
  EXPECT_EQ("打合せ中", (TextOf(combo)));

  SelectEntry(5);
  SetTextOf(combo, "Lunch");
  Click(dialog_, ConfirmButton);
  expected[5] = "Lunch";
  EXPECT_EQ(expected, ListEntries());
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(5u, GetNumber(SettingsKeyPath, "StringID", 99));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], Slot(i)) << "slot " << i;
}

TEST_F(ConfigDialog, CancelAfterAReplacementStoresNothing) {
  SetDword(SettingsKeyPath, "StringID", 1);
  SetText(SettingsKeyPath, "ZorvelString1", Ansi("在席").c_str());
  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ("在席", (TextOf(GetDlgItem(dialog_, TextCombo)))) << "the stored slot 1, selected";
  SetTextOf(GetDlgItem(dialog_, TextCombo), "x");
  Click(dialog_, ConfirmButton);
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "StringID", 99));
  EXPECT_EQ("在席", Slot(1));
  EXPECT_EQ("", Slot(0)) << "nothing else was written";
}

// Long slots: 254 single-byte characters, 127 double-byte ones, the 255 the saver draws and 300.
// Picked and confirmed, each is stored again byte for byte, and so are the others.
TEST_F(ConfigDialog, TheLongestSlotsSurviveAPickAndAConfirm) {
  std::string kana;
  for (int i = 0; i < 127; ++i) kana += "\x82\xA0";  // あ
  const struct {
    int index;
    const char* name;
    std::string text;
  } slots[] = {{1, "ZorvelString1", std::string(254, 'W')}, {4, "ZorvelString4", kana},
                // As long as the saver draws, and longer: shown cut, it is stored back only once replaced.
                {2, "ZorvelString2", std::string(255, 'x')}, {3, "ZorvelString3", std::string(300, 'L')}};
  for (const auto& slot : slots) SetText(SettingsKeyPath, slot.name, slot.text.c_str());
  for (const auto& picked : slots) {
    ASSERT_NE(nullptr, OpenDialog());
    SelectEntry(picked.index);
    Click(dialog_, ConfirmButton);
    ASSERT_EQ(1u, process_.WaitForExit(5000)) << picked.name << " picked: the first confirm stores and closes";
    EXPECT_EQ(static_cast<DWORD>(picked.index), GetNumber(SettingsKeyPath, "StringID", 99));
    for (const auto& slot : slots) {
      DWORD type = 0;
      std::string bytes;
      EXPECT_TRUE(GetRaw(SettingsKeyPath, slot.name, &type, &bytes));
      EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
      EXPECT_EQ(slot.text + '\0', bytes) << slot.name << " after " << picked.name << " was picked";
    }
  }
}

// -1 means no slot: confirm closes without storing. A number that names no entry leaves nothing
// to compare with: confirm does nothing until the user picks a slot.
TEST_F(ConfigDialog, AStoredStringIdThatSelectsNothing) {
  SetDword(SettingsKeyPath, "StringID", 0xFFFFFFFFu);
  ASSERT_NE(nullptr, OpenDialog());
  HWND combo = GetDlgItem(dialog_, TextCombo);
  EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("", TextOf(combo));
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ("", Slot(0)) << "nothing stored";

  SetDword(SettingsKeyPath, "StringID", 9);
  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ(CB_ERR, SendMessageA(GetDlgItem(dialog_, TextCombo), CB_GETCURSEL, 0, 0));
  Click(dialog_, ConfirmButton);
  EXPECT_TRUE(process_.SurvivesFor(500)) << "9 names no entry: nothing to store, nothing to close on";
  EXPECT_EQ("", Slot(0));
  SelectEntry(3);
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(3u, GetNumber(SettingsKeyPath, "StringID", 99));
  EXPECT_EQ("会議", Slot(3));
}

// The time that goes with the word: shown as stored when the dialog opens, stored with the slots
// on OK, nothing stored on Cancel.
TEST_F(ConfigDialog, TheTimeChoiceIsShownAndStoredWithTheSlots) {
  constexpr int TimeList = 1087;
  ASSERT_NE(nullptr, OpenDialog());
  HWND list = GetDlgItem(dialog_, TimeList);
  EXPECT_EQ(3, SendMessageA(list, CB_GETCOUNT, 0, 0));
  EXPECT_EQ("表示しない", TextOf(list));
  SendMessageA(list, CB_SETCURSEL, 1, 0);
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  EXPECT_EQ(99u, GetNumber(SettingsKeyPath, "TimeDisplay", 99)) << "cancel stores nothing";

  ASSERT_NE(nullptr, OpenDialog());
  list = GetDlgItem(dialog_, TimeList);
  SendMessageA(list, CB_SETCURSEL, 2, 0);
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(2u, GetNumber(SettingsKeyPath, "TimeDisplay", 99));
  EXPECT_EQ("趣味", Slot(0)) << "with the slots";

  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ("現在の時刻", TextOf(GetDlgItem(dialog_, TimeList)));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// Wine's WinHelpA hands a request to the window of class MS_WINHELP as WM_COPYDATA; this one
// stands in for the help viewer and keeps what it was asked.
struct HelpRequest {
  WORD command = 0;
  std::string file;
};

LRESULT CALLBACK HelpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
  const COPYDATASTRUCT* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  const BYTE* data = static_cast<const BYTE*>(copy->lpData);
  HelpRequest* request = reinterpret_cast<HelpRequest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  WORD fileOffset;
  memcpy(&request->command, data + 2, sizeof(WORD));
  memcpy(&fileOffset, data + 12, sizeof(WORD));
  request->file = fileOffset ? reinterpret_cast<const char*>(data + fileOffset) : "";
  return TRUE;
}

TEST_F(ConfigDialog, TheHelpButtonOpensTheHelpFilesContents) {
  WNDCLASSA viewerClass = {};
  viewerClass.lpfnWndProc = HelpViewerProc;
  viewerClass.hInstance = GetModuleHandleA(nullptr);
  viewerClass.lpszClassName = "MS_WINHELP";
  RegisterClassA(&viewerClass);
  HelpRequest request;
  HWND viewer = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, nullptr, nullptr, viewerClass.hInstance, nullptr);
  SetWindowLongPtrA(viewer, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&request));
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  EXPECT_TRUE(WaitUntil([&] { return request.command != 0; }, 5000));
  EXPECT_EQ(HELP_FINDER, request.command);
  EXPECT_EQ("vorlux.hlp", request.file);
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  DestroyWindow(viewer);
}

// The shape page reads its values when it opens and stores what the edits hold on OK; an entry
// without a number keeps the loaded value.
TEST_F(ConfigSheet, ShapePageShowsTheDefaultsAndStoresWhatWasTyped) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ("詳　細", TextOf(sheet_));
  HWND page = PropSheet_GetCurrentPageHwnd(sheet_);
  ASSERT_NE(nullptr, GetDlgItem(page, 1002)) << "the sheet opens on the shape page";
  EXPECT_EQ("0.000000", TextOf(GetDlgItem(page, 1002)));
  EXPECT_EQ("0.150000", TextOf(GetDlgItem(page, 1003)));
  EXPECT_EQ("0.550000", TextOf(GetDlgItem(page, 1007)));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, 1004), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(page, 1005), BM_GETCHECK, 0, 0));
  SetTextOf(GetDlgItem(page, 1002), "abc");
  SetTextOf(GetDlgItem(page, 1003), "1.5xyz");
  SetTextOf(GetDlgItem(page, 1007), "  3e1");
  SendMessageA(GetDlgItem(page, 1004), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(std::vector<float>{0.0f}, GetFloats(SettingsKeyPath, "Deviation")) << "letters only: the loaded value";
  EXPECT_EQ(std::vector<float>{1.5f}, GetFloats(SettingsKeyPath, "Extrusion"));
  EXPECT_EQ(std::vector<float>{30.0f}, GetFloats(SettingsKeyPath, "UserScale"));
  EXPECT_EQ(0u, GetNumber(SettingsKeyPath, "Format", 99)) << "ライン";

  // A stored format that is neither checks neither button; OK stores polygons.
  SetDword(SettingsKeyPath, "Format", 2);
  page = PropSheet_GetCurrentPageHwnd(OpenSheet());
  EXPECT_EQ("1.500000", TextOf(GetDlgItem(page, 1003))) << "a new sheet reads the stored values";
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, 1004), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, 1005), BM_GETCHECK, 0, 0));
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "Format", 99));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000)) << "the sheet's values are stored whatever the dialog does";
}

TEST_F(ConfigSheet, AChosenFontIsStoredAtOnceAndACancelledOneIsNot) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND page = PropSheet_GetCurrentPageHwnd(sheet_);
  Click(page, 1006);
  HWND fonts = WaitForOwnedDialog(sheet_);
  ASSERT_NE(nullptr, fonts) << "no font dialog";
  Click(fonts, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fonts); }, 3000));
  DWORD type = 0;
  std::string font;
  EXPECT_FALSE(GetRaw(SettingsKeyPath, "LogFont", &type, &font)) << "a cancelled font dialog stores nothing";

  Click(page, 1006);
  fonts = WaitForOwnedDialog(sheet_);
  ASSERT_NE(nullptr, fonts);
  std::string face = TextOf(GetDlgItem(fonts, 0x470));  // the face name box (cmb1)
  Click(fonts, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fonts); }, 3000));
  ASSERT_TRUE(GetRaw(SettingsKeyPath, "LogFont", &type, &font)) << "stored at once, before the sheet closes";
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  ASSERT_EQ(60u, font.size());
  EXPECT_EQ(face, Utf8(font.c_str() + 28)) << "the face the dialog showed";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  EXPECT_TRUE(GetRaw(SettingsKeyPath, "LogFont", &type, &font)) << "cancelling the sheet keeps the font";
  EXPECT_TRUE(GetFloats(SettingsKeyPath, "Deviation").empty()) << "and stores nothing else";
}

// The light and material pages show the table in memory and apply into it: a second sheet in the
// same dialog shows what the first applied. A page that was never shown writes nothing.
TEST_F(ConfigSheet, LightAndMaterialPagesApplyIntoTheTableAndTheRegistry) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND light = ShowPage(1);
  EXPECT_EQ("0.100000", TextOf(GetDlgItem(light, 1023)));
  EXPECT_EQ("0.000000", TextOf(GetDlgItem(light, 1042)));
  SetTextOf(GetDlgItem(light, 1024), "2.5");
  SetTextOf(GetDlgItem(light, 1025), "abc");
  SetTextOf(GetDlgItem(light, 1042), "-1");
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ((std::vector<float>{0.1f, 2.5f, 0.0f, 1.0f}), GetFloats(SettingsKeyPath, "light_ambient"));
  EXPECT_EQ((std::vector<float>{1.0f, 1.0f, 1.0f, -1.0f}), GetFloats(SettingsKeyPath, "light_position"));
  for (const char* row : {"light_diffuse", "light_specular", "lmodel_ambient"})
    EXPECT_EQ(4u, GetFloats(SettingsKeyPath, row).size()) << row;
  EXPECT_TRUE(GetFloats(SettingsKeyPath, "mat_ambient").empty()) << "the material page was never shown";
  EXPECT_TRUE(GetFloats(SettingsKeyPath, "mat_shininess").empty());

  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ("2.500000", TextOf(GetDlgItem(ShowPage(1), 1024)));
  HWND material = ShowPage(2);
  EXPECT_EQ("12", TextOf(GetDlgItem(material, 2027)));
  EXPECT_EQ("0.250000", TextOf(GetDlgItem(material, 2011)));
  SetTextOf(GetDlgItem(material, 2027), "129");
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(std::vector<float>{12.0f}, GetFloats(SettingsKeyPath, "mat_shininess")) << "129 is refused";
  EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}), GetFloats(SettingsKeyPath, "mat_emission"));

  ASSERT_NE(nullptr, OpenSheet());
  SetTextOf(GetDlgItem(ShowPage(2), 2027), "64.9");
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

// Cancelling the sheet on any page, after a change there, stores nothing.
TEST_F(ConfigSheet, CancelOnEveryPageLeavesTheRegistryAsItWas) {
  SetDword(SettingsKeyPath, "GL_LIGHTING", 1);
  const std::map<std::string, std::string> before = StoredSettings();
  ASSERT_NE(nullptr, OpenDialog());
  const struct {
    int page;
    int control;
    const char* typed;  // none: the check box is clicked
  } changes[] = {{0, 1002, "9"}, {1, 1027, "9"}, {2, 2027, "99"}, {3, 1060, nullptr}, {4, 1080, "120"}, {4, 1085, nullptr}};
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

// The motion page: the speed (steps a second, 10 to 240) and the motion, shown from the registry and
// stored with the sheet's OK; an entry that is no number or out of range keeps what was shown.
TEST_F(ConfigSheet, MotionPageShowsTheSpeedAndMotionAndStoresThemWithOk) {
  constexpr int Speed = 1080, Tumble = 1084, FaceTheRoom = 1085;
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND page = ShowPage(4);
  EXPECT_EQ("60", TextOf(GetDlgItem(page, Speed))) << "the default speed";
  EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(page, Tumble), BM_GETCHECK, 0, 0)) << "the default motion";
  SetTextOf(GetDlgItem(page, Speed), "90");
  SendMessageA(GetDlgItem(page, FaceTheRoom), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(90u, GetNumber(SettingsKeyPath, "StepsPerSecond", 0));
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "Motion", 99));

  const struct {
    const char* typed;
    DWORD stored;
  } entries[] = {{"241", 90}, {"9", 90}, {"fast", 90}, {"", 90}, {" 240", 240}, {"10.9", 10}};
  for (const auto& entry : entries) {
    ASSERT_NE(nullptr, OpenSheet());
    page = ShowPage(4);
    ASSERT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(page, FaceTheRoom), BM_GETCHECK, 0, 0)) << "the stored motion";
    SetTextOf(GetDlgItem(page, Speed), entry.typed);
    ASSERT_TRUE(PressSheetButton(PSBTN_OK));
    EXPECT_EQ(entry.stored, GetNumber(SettingsKeyPath, "StepsPerSecond", 0)) << "typed \"" << entry.typed << "\"";
    SetDword(SettingsKeyPath, "StepsPerSecond", 90);
  }

  ASSERT_NE(nullptr, OpenSheet());
  page = ShowPage(4);
  SetTextOf(GetDlgItem(page, Speed), "200");
  SendMessageA(GetDlgItem(page, Tumble), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  EXPECT_EQ(90u, GetNumber(SettingsKeyPath, "StepsPerSecond", 0)) << "cancel stores nothing";
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "Motion", 99));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

TEST_F(ConfigSheet, OptionsStoreEverySwitchAndAboutShowsTheVersionAndText) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND options = ShowPage(3);
  for (const Switch& in : Switches)
    EXPECT_EQ(in.builtIn, SendMessageA(GetDlgItem(options, in.box), BM_GETCHECK, 0, 0)) << in.name;
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, 1054)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, 1061)));
  SendMessageA(GetDlgItem(options, 1060), BM_CLICK, 0, 0);  // LIGHTING off

  HWND about = ShowPage(5);
  EXPECT_EQ("Vorlux", TextOf(GetDlgItem(about, 1045)));
  EXPECT_EQ("1.0.0.1", TextOf(GetDlgItem(about, 1046)));
  EXPECT_EQ(0u, TextOf(GetDlgItem(about, 1047)).find("Copyright")) << TextOf(GetDlgItem(about, 1047));
  EXPECT_NE(0, SendMessageA(GetDlgItem(about, 5), STM_GETICON, 0, 0)) << "the program icon";
  EXPECT_EQ(AboutText(), TextOf(GetDlgItem(about, 1065))) << "the whole about text, to its last byte";

  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  for (const Switch& in : Switches)
    EXPECT_EQ(in.box == 1060 ? 0u : static_cast<DWORD>(in.builtIn), GetNumber(SettingsKeyPath, in.name, 99)) << in.name;
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
  EXPECT_TRUE(process_.SurvivesFor(300)) << "the dialog stays open";

  ASSERT_NE(nullptr, OpenSheet());
  HWND light = ShowPage(1);
  SetTextOf(GetDlgItem(light, 1023), "0.5");
  PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_OK, 0);
  box = WaitForOwnedDialog(sheet_);
  ASSERT_NE(nullptr, box) << "no message from the sheet";
  Click(box, IDOK);
  Pump(300);
  EXPECT_TRUE(IsWindow(sheet_)) << "the sheet stays open";
  EXPECT_EQ(light, PropSheet_GetCurrentPageHwnd(sheet_));
  EXPECT_EQ("0.5", TextOf(GetDlgItem(light, 1023))) << "nothing typed is lost";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// What the dialog stores reaches the next saver run: the text "一" (one stroke) instead of 趣味,
// lighting switched off and a white emission, which together draw the text in flat white.
TEST_F(ConfigDialog, TheNextSaverRunShowsTheStoredTextAndSwitches) {
  ASSERT_NE(nullptr, OpenDialog());
  SetTextOf(GetDlgItem(dialog_, TextCombo), "一");
  Click(dialog_, ConfirmButton);
  ASSERT_NE(nullptr, OpenSheet());
  for (int edit = 2023; edit <= 2026; ++edit) SetTextOf(GetDlgItem(ShowPage(2), edit), "1");
  SendMessageA(GetDlgItem(ShowPage(3), 1060), BM_CLICK, 0, 0);  // LIGHTING off
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  Click(dialog_, ConfirmButton);
  ASSERT_EQ(1u, process_.WaitForExit(5000));

  SetDword(SettingsKeyPath, "StepsPerSecond", 0);  // one step a frame: frame 70 is nearly face on
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run, 70));
  Frame frame;
  ASSERT_TRUE(WaitUntil([&] { return ReadFrame(70, &frame); }, 20000));
  FrameStats stats = Measure(frame);
  EXPECT_EQ(1, stats.colours) << "unlit: one flat colour";
  EXPECT_GT(stats.lit, 500);
  EXPECT_LT(stats.lit, 5000) << "one stroke, not the default text's two characters";
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
}

}  // namespace
}  // namespace e2e
