// The status word and the program's texts on every Windows: the ANSI code page is 932 (Japanese),
// 1252 (English and Western European) or 65001 (the UTF-8 option), and the display language
// Japanese or English, as Wine takes them from the locale.
#include "tests/e2e/config_driver.h"
#include "resources/resource.h"
#include <commctrl.h>

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

// A Japanese word stored in its slot: on an English Windows too it is what the user typed.
TEST_F(CodePages, TheWordIsDrawnAlikeOn932And1252And65001) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 0);
  const struct {
    int slot;
    const char* word;
  } stored[] = {{0, "趣味"}, {3, "会議"}};
  for (const auto& word : stored) {
    SetDword(SettingsKeyPath, "StringID", static_cast<DWORD>(word.slot));
    SetText(SettingsKeyPath, ("ZorvelString" + std::to_string(word.slot)).c_str(), Ansi(word.word).c_str());
    Frame onJapanese = FaceOnFrame(Locales[0]);
    ASSERT_GT(Measure(onJapanese).lit, 8000) << "the word on 932";
    for (const char* locale : {Locales[1], Locales[2]}) {
      Frame frame = FaceOnFrame(locale);
      EXPECT_TRUE(frame.rgb == onJapanese.rgb) << word.word << " under " << locale << ": " << Measure(frame).lit
                                               << " lit pixels against " << Measure(onJapanese).lit << " on 932";
    }
  }
}

// An English display language, on code page 1252 and on 932 alike: the dialog, its presets, the
// sheet and the about text are English; a word typed in Japanese is stored and shown as typed.
TEST_F(CodePages, AnEnglishDisplayIsShownEnglishAndAJapaneseWordIsKeptAsTyped) {
  for (const char* locale : {Locales[1], "LANG=en_US.UTF-8 LC_CTYPE=ja_JP.UTF-8"}) {
    SCOPED_TRACE(locale);
    ASSERT_NE(nullptr, OpenDialog("", locale));
    EXPECT_EQ("Vorlux Settings", TextOf(dialog_));
    EXPECT_EQ((std::vector<std::string>{"Hobby", "Break", "Discussion", "Meeting", "Lunch", "Out"}), ListEntries());
    ASSERT_NE(nullptr, OpenSheet());
    EXPECT_EQ("Details", TextOf(sheet_));
    EXPECT_EQ(0u, TextOf(GetDlgItem(ShowPage(5), IDC_ABOUT_TEXT)).find(AboutFirstLine("about_en.txt")));
    ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(0u, process_.WaitForExit(5000));
  }

  ASSERT_NE(nullptr, OpenDialog("", Locales[1]));
  SelectEntry(3);
  SetTextOf(GetDlgItem(dialog_, TextCombo), "会議中 \U0001F4DE");  // a character beyond the basic plane too
  Click(dialog_, ConfirmButton);
  Click(dialog_, ConfirmButton);
  ASSERT_EQ(1u, process_.WaitForExit(5000));
  EXPECT_EQ(L"会議中 \U0001F4DE", GetWideText(SettingsKeyPath, "ZorvelString3"));
  EXPECT_EQ(L"Hobby", GetWideText(SettingsKeyPath, "ZorvelString0"));
  ASSERT_NE(nullptr, OpenDialog("", Locales[1]));
  EXPECT_EQ("会議中 \U0001F4DE", ListEntries()[3]);
  Click(dialog_, IDCANCEL);
}

// Windows 98 has no Unicode windows or registry calls: the same dialog through the ANSI ones, its
// words converted with the code page, stores what the registry then holds as UTF-16.
TEST_F(CodePages, TheConsumerPlatformShowsAndStoresThroughTheAnsiCalls) {
  UseConsumerPlatform();
  ASSERT_NE(nullptr, OpenDialog());
  EXPECT_EQ("趣味", ListEntries()[0]);
  ASSERT_NE(nullptr, OpenSheet());
  EXPECT_EQ(0u, TextOf(GetDlgItem(ShowPage(5), IDC_ABOUT_TEXT)).find(AboutFirstLine())) << "the about text's first line";
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
