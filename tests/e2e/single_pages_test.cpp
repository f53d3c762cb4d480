// The pages of single values, the shape page with its font and the motion page: what they show
// and what they store.
#include "tests/e2e/config_driver.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include <commctrl.h>
#include <map>

namespace e2e {
namespace {

using ConfigSheet = ConfigTest;

// The shape page reads its values when it opens and stores what the edits hold on OK; an entry
// without a number keeps the loaded value.
TEST_F(ConfigSheet, ShapePageShowsTheDefaultsAndStoresWhatWasTyped) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ("詳　細", TextOf(sheet_));
  HWND page = PropSheet_GetCurrentPageHwnd(sheet_);
  ASSERT_NE(nullptr, GetDlgItem(page, IDC_DEVIATION)) << "the sheet opens on the shape page";
  EXPECT_EQ("0.000000", TextOf(GetDlgItem(page, IDC_DEVIATION)));
  EXPECT_EQ("0.150000", TextOf(GetDlgItem(page, IDC_EXTRUSION)));
  EXPECT_EQ("0.550000", TextOf(GetDlgItem(page, IDC_SCALE)));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, IDC_FORMAT_LINES), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(page, IDC_FORMAT_POLYGONS), BM_GETCHECK, 0, 0));
  SetTextOf(GetDlgItem(page, IDC_DEVIATION), "abc");
  SetTextOf(GetDlgItem(page, IDC_EXTRUSION), "1.5xyz");
  SetTextOf(GetDlgItem(page, IDC_SCALE), "  3e1");
  SendMessageA(GetDlgItem(page, IDC_FORMAT_LINES), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(std::vector<float>{0.0f}, GetFloats(SettingsKeyPath, "Deviation")) << "letters only: the loaded value";
  EXPECT_EQ(std::vector<float>{1.5f}, GetFloats(SettingsKeyPath, "Extrusion"));
  EXPECT_EQ(std::vector<float>{30.0f}, GetFloats(SettingsKeyPath, "UserScale"));
  EXPECT_EQ(0u, GetNumber(SettingsKeyPath, "Format", 99)) << "ライン";

  // A stored format that is neither checks neither button; OK stores polygons.
  SetDword(SettingsKeyPath, "Format", 2);
  page = PropSheet_GetCurrentPageHwnd(OpenSheet());
  EXPECT_EQ("1.500000", TextOf(GetDlgItem(page, IDC_EXTRUSION))) << "a new sheet reads the stored values";
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, IDC_FORMAT_LINES), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(page, IDC_FORMAT_POLYGONS), BM_GETCHECK, 0, 0));
  ASSERT_TRUE(PressSheetButton(PSBTN_OK));
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "Format", 99));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000)) << "the sheet's values are stored whatever the dialog does";
}

TEST_F(ConfigSheet, AChosenFontIsStoredAtOnceAndACancelledOneIsNot) {
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_NE(nullptr, OpenSheet());
  HWND page = PropSheet_GetCurrentPageHwnd(sheet_);
  Click(page, IDC_FONT);
  HWND fonts = WaitForOwnedDialog(sheet_);
  ASSERT_NE(nullptr, fonts) << "no font dialog";
  Click(fonts, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fonts); }, 3000));
  DWORD type = 0;
  std::string font;
  EXPECT_FALSE(GetRaw(SettingsKeyPath, "LogFont", &type, &font)) << "a cancelled font dialog stores nothing";

  Click(page, IDC_FONT);
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

// The motion page: the speed (steps a second, 10 to 240) and the motion, shown from the registry and
// stored with the sheet's OK; an entry that is no number or out of range keeps what was shown.
TEST_F(ConfigSheet, MotionPageShowsTheSpeedAndMotionAndStoresThemWithOk) {
  constexpr int Speed = IDC_SPEED, Tumble = IDC_MOTION_TUMBLE, FaceTheRoom = IDC_MOTION_FACE;
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

}  // namespace
}  // namespace e2e
