// The configuration dialog, driven from outside in a launched vorlux.scr: the slots it shows and
// stores, the time with them, its help button, and what the next saver run draws of it.
#include "tests/e2e/config_driver.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include <commctrl.h>
#include <map>

namespace e2e {
namespace {

using ConfigDialog = ConfigTest;

const std::vector<std::string> Presets = {"趣味", "休憩", "打合せ", "会議", "食事", "外出"};

std::string Slot(int i) { return Utf8(GetText(SettingsKeyPath, ("ZorvelString" + std::to_string(i)).c_str())); }

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
  EXPECT_TRUE(WaitUntil([&] { return ListEntries() == expected; }, 2000));
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
  // 9 names no entry: nothing to store, nothing to close on. The confirm after a pick then closes
  // and stores 3, which a close on the first would not have waited for.
  Click(dialog_, ConfirmButton);
  SelectEntry(3);
  Click(dialog_, ConfirmButton);
  EXPECT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(3u, GetNumber(SettingsKeyPath, "StringID", 99));
  EXPECT_EQ("会議", Slot(3));
}

// The time that goes with the word: shown as stored when the dialog opens, stored with the slots
// on OK, nothing stored on Cancel.
TEST_F(ConfigDialog, TheTimeChoiceIsShownAndStoredWithTheSlots) {
  constexpr int TimeList = IDC_TIME_DISPLAY;
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

// What the dialog stores reaches the next saver run: the text "一" (one stroke) instead of 趣味,
// lighting switched off and a white emission, which together draw the text in flat white.
TEST_F(ConfigDialog, TheNextSaverRunShowsTheStoredTextAndSwitches) {
  ASSERT_NE(nullptr, OpenDialog());
  SetTextOf(GetDlgItem(dialog_, TextCombo), "一");
  Click(dialog_, ConfirmButton);
  ASSERT_NE(nullptr, OpenSheet());
  for (int edit = IDC_MAT_EMISSION; edit <= IDC_MAT_EMISSION + 3; ++edit) SetTextOf(GetDlgItem(ShowPage(2), edit), "1");
  SendMessageA(GetDlgItem(ShowPage(3), IDC_FIRST_SWITCH + 6), BM_CLICK, 0, 0);  // LIGHTING off
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
