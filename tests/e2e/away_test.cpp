// Away (/w): the chosen word on the screen at once and for that run only, input in its first two
// seconds passed over, the session locked before the saver goes, and the chooser.
#include "tests/e2e/config_driver.h"
#include "host/away_rules.h"
#include "resources/resource.h"
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

constexpr DWORD Missing = 0xDEADu;

class Away : public ConfigTest {
 protected:
  void SetUp() override {
    ConfigTest::SetUp();
    SetDword(SettingsKeyPath, "StepsPerSecond", 0);  // one step a frame: every run draws the same frame 70
  }

  // Keys until the run ends: the first ones may fall in its grace. The exit code, or Running.
  static DWORD EndWithAKey(Process& process) {
    DWORD start = GetTickCount(), code = Running;
    while (code == Running && GetTickCount() - start < AwayGraceMs + 2 * CloseTimeMs) {
      KeyDown(VK_SPACE);
      KeyUp(VK_SPACE);
      code = process.WaitForExit(250);
    }
    return code;
  }

  // Frame 70 of the run of the tail, which a key then ends.
  Frame FaceOnFrame(const std::string& tail) {
    FullScreenRun run;
    Frame frame;
    StartFullScreen(CommandLine(tail), &run, 70);
    EXPECT_TRUE(ReadFrame(70, &frame)) << tail << ": frame 70";
    EXPECT_EQ(0u, EndWithAKey(run.process)) << tail;
    return frame;
  }
};

TEST_F(Away, TheWordOfItsNumberIsDrawnForThatRunOnly) {
  SetDword(SettingsKeyPath, "StringID", 1);
  Frame preset = FaceOnFrame("/w 4");
  EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "StringID", 0)) << "StringID after the away run";
  EXPECT_EQ("", GetText(SettingsKeyPath, "ZorvelString3")) << "slot 4 after the away run";
  SetText(SettingsKeyPath, "ZorvelString3", Ansi("会議").c_str());
  SetDword(SettingsKeyPath, "StringID", 3);
  Frame selected = FaceOnFrame("/s");
  ASSERT_GT(Measure(selected).lit, 8000) << "会議 selected";
  EXPECT_TRUE(preset.rgb == selected.rgb) << "/w 4 with nothing stored: " << Measure(preset).lit
                                          << " lit pixels against " << Measure(selected).lit << " for 会議";
  // A stored word goes over its preset (休憩 in slot 2).
  SetText(SettingsKeyPath, "ZorvelString1", Ansi("会議").c_str());
  Frame stored = FaceOnFrame("/w 2");
  EXPECT_TRUE(stored.rgb == selected.rgb) << "/w 2 with 会議 stored in slot 2";
  EXPECT_EQ(3u, GetNumber(SettingsKeyPath, "StringID", 0)) << "StringID after the away run";
}

TEST_F(Away, InputInItsFirstTwoSecondsDoesNotEndItAKeyAfterDoes) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 60);  // ten frames take long enough for the input to be seen
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/w 1"), &run, 0));
  // The key that started it, its release, the mouse nudged while getting up.
  KeyDown(VK_RETURN);
  KeyUp(VK_RETURN);
  MoveCursor(Parked.x - 40, Parked.y - 30);
  MouseInput(MOUSEEVENTF_LEFTDOWN);
  MouseInput(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(KeepsDrawing(run.process)) << "exit code " << run.process.WaitForExit(0);
  EXPECT_EQ(0u, EndWithAKey(run.process));
}

// Wine cannot lock (LockWorkStation answers FALSE), so the run then ends as any does; the relay
// trace shows the call, and that it came before the saver window went (its WM_DESTROY destroys
// the GL child: the first DestroyWindow of the run).
TEST_F(Away, WithTheLockOnTheSessionIsLockedBeforeTheSaverWindowGoes) {
  SetText("Software\\Wine\\Debug", "RelayInclude", "user32.LockWorkStation;user32.DestroyWindow");
  for (DWORD lock : {1u, 0u}) {
    SCOPED_TRACE("LockOnReturn " + std::to_string(lock));
    SetDword(SettingsKeyPath, "LockOnReturn", lock);
    std::string path = "/tmp/vorlux-relay-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(lock);
    FullScreenRun run;
    ForgetFrames();
    run.process = Launch(CommandLine("/w 1"), nullptr, path.c_str());
    ASSERT_NE(nullptr, run.saver = WaitForTopLevel(run.process, SaverClass));
    ASSERT_TRUE(WaitForSwaps(1, 20000));
    EXPECT_EQ(0u, EndWithAKey(run.process));
    std::ifstream file("Z:" + path, std::ios::binary);
    std::string relay((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    size_t locked = relay.find("Call user32.LockWorkStation()"), destroyed = relay.find("Call user32.DestroyWindow(");
    ASSERT_NE(std::string::npos, destroyed) << "no DestroyWindow in the trace:\n" << relay.substr(0, 2000);
    if (lock)
      EXPECT_LT(locked, destroyed) << relay.substr(0, 2000);
    else
      EXPECT_EQ(std::string::npos, locked) << relay.substr(0, 2000);
  }
}

TEST_F(Away, TheChooserStartsTheWordOfADigitAndEscEndsItWithNothingStored) {
  SetDword(SettingsKeyPath, "StringID", 4);
  SetDword(SettingsKeyPath, "LockOnReturn", 0);
  for (bool start : {false, true}) {
    process_ = Launch(CommandLine("/w"));
    HWND chooser = WaitForTopLevel(process_, "#32770");
    ASSERT_NE(nullptr, chooser) << "no chooser within 10 s";
    // Listed before its controls exist, and filled in its initialisation after that.
    HWND words = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      words = GetDlgItem(chooser, IDC_AWAY_WORDS);
      return words && SendMessageA(words, LB_GETCOUNT, 0, 0) == 6;
    }, 5000)) << "the six words in the list";
    EXPECT_EQ("離席", TextOf(chooser));
    wchar_t entry[64] = L"";
    SendMessageW(words, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(L"2  \u4F11\u61A9", entry);  // 休憩
    EXPECT_EQ(4, SendMessageA(words, LB_GETCURSEL, 0, 0)) << "the stored StringID highlighted";
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(chooser, IDC_LOCK_ON_RETURN, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == chooser; }, 5000));
    if (!start) {
      KeyDown(VK_ESCAPE);
      KeyUp(VK_ESCAPE);
      EXPECT_EQ(0u, process_.WaitForExit(5000));
      EXPECT_TRUE(TopLevelWindows(SaverClass).empty());
      EXPECT_EQ(Missing, GetNumber(SettingsKeyPath, "TimeDisplay", Missing)) << "stored on Esc";
      EXPECT_EQ(0u, GetNumber(SettingsKeyPath, "LockOnReturn", Missing)) << "stored on Esc";
      continue;
    }
    SendDlgItemMessageA(chooser, IDC_LOCK_ON_RETURN, BM_SETCHECK, BST_CHECKED, 0);
    ForgetFrames();
    KeyDown('2');
    KeyUp('2');
    FullScreenRun run;
    run.process = std::move(process_);
    ASSERT_TRUE(WaitForSwaps(70, 20000)) << "no saver drew 70 frames after the key 2";
    Frame chosen;
    EXPECT_TRUE(ReadFrame(70, &chosen));
    EXPECT_EQ(0u, EndWithAKey(run.process));
    EXPECT_EQ(1u, GetNumber(SettingsKeyPath, "LockOnReturn", Missing)) << "the lock, stored as the run started";
    EXPECT_EQ(4u, GetNumber(SettingsKeyPath, "StringID", Missing));
    SetDword(SettingsKeyPath, "StringID", 1);
    SetText(SettingsKeyPath, "ZorvelString1", Ansi("休憩").c_str());
    EXPECT_TRUE(chosen.rgb == FaceOnFrame("/s").rgb) << "the key 2 against 休憩 selected";
  }
}

}  // namespace
}  // namespace e2e
