// The status word and the program's Japanese texts on every Windows: the ANSI code page is 932
// (Japanese), 1252 (English and Western European) or 65001 (the UTF-8 option), as Wine takes it
// from the locale.
#include "tests/e2e/config_driver.h"
#include <commctrl.h>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

const char* const Locales[] = {"ja_JP.UTF-8", "en_US.UTF-8", "hi_IN.UTF-8"};

class CodePages : public ConfigTest {
 protected:
  // Frame 70 of a run under the locale; with one step a frame every run draws the same frame there.
  Frame FaceOnFrame(const char* locale) {
    FullScreenRun run;
    Frame frame;
    StartFullScreen(CommandLine("/s"), &run, 70, locale);
    EXPECT_TRUE(ReadFrame(70, &frame)) << locale << ": frame 70";
    EXPECT_EQ(0u, ExitCodeAfterKey(run.process)) << locale;
    return frame;
  }
};

TEST_F(CodePages, TheWordIsDrawnAlikeOn932And1252And65001) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 0);
  for (const char* stored : {"", "\x89\xEF\x8B\x63"}) {  // the default preset 趣味; 会議 in slot 3
    if (*stored) {
      SetDword(SettingsKeyPath, "StringID", 3);
      SetText(SettingsKeyPath, "ZorvelString3", stored);
    }
    Frame onJapanese = FaceOnFrame(Locales[0]);
    ASSERT_GT(Measure(onJapanese).lit, 8000) << "the word on 932";
    for (const char* locale : {Locales[1], Locales[2]}) {
      Frame frame = FaceOnFrame(locale);
      EXPECT_TRUE(frame.rgb == onJapanese.rgb)
          << (*stored ? "会議" : "趣味") << " under " << locale << ": " << Measure(frame).lit
          << " lit pixels against " << Measure(onJapanese).lit << " on 932";
    }
  }
}

std::string AboutSource() {
  std::ifstream file(E2E_SOURCE_DIR "/resources/about.txt", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return text.substr(0, text.find('\n'));
}

// English Windows: the captions, the presets and the about text read right, and a word typed in
// Japanese is stored as typed.
TEST_F(CodePages, On1252TheDialogShowsAndStoresJapanese) {
  ASSERT_NE(nullptr, OpenDialog("", Locales[1]));
  EXPECT_EQ("Vorluxの設定", TextOf(dialog_));
  EXPECT_EQ((std::vector<std::string>{"趣味", "休憩", "打合せ", "会議", "食事", "外出"}), ListEntries());
  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ("詳　細", TextOf(sheet_));
  EXPECT_EQ(0u, TextOf(GetDlgItem(ShowPage(5), 1065)).find(AboutSource())) << "the about text's first line";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));

  SelectEntry(3);
  SetTextOf(GetDlgItem(dialog_, TextCombo), "会議中 \U0001F4DE");  // a character beyond the basic plane too
  Click(dialog_, ConfirmButton);
  Click(dialog_, ConfirmButton);
  ASSERT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(L"会議中 \U0001F4DE", GetWideText(SettingsKeyPath, "ZorvelString3"));
  EXPECT_EQ(L"趣味", GetWideText(SettingsKeyPath, "ZorvelString0"));
}

// Windows 98 has no Unicode windows or registry calls: the same dialog through the ANSI ones, its
// words converted with the code page, stores what the registry then holds as UTF-16.
TEST_F(CodePages, TheConsumerPlatformShowsAndStoresThroughTheAnsiCalls) {
  UseConsumerPlatform();
  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ("趣味", ListEntries()[0]);
  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ(0u, TextOf(GetDlgItem(ShowPage(5), 1065)).find(AboutSource())) << "the about text's first line";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  SelectEntry(2);
  SetTextOf(GetDlgItem(dialog_, TextCombo), "打合せ中");
  Click(dialog_, ConfirmButton);
  Click(dialog_, ConfirmButton);
  ASSERT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(L"打合せ中", GetWideText(SettingsKeyPath, "ZorvelString2"));
  EXPECT_EQ(L"休憩", GetWideText(SettingsKeyPath, "ZorvelString1"));
}

}  // namespace
}  // namespace e2e
