// `make run-config`: opens the configuration dialog of the real vorlux.scr and every page of its
// sheet, then the help file's contents and one page's topic in the WinHelp viewer (Windows XP), and
// the HTML Help viewer (Windows 10), and saves a picture of each (BMP, in the folder
// VORLUX_SHOTS_DIR names) for the README and for looking at.
// Built with the end-to-end driver; not a test of its own.
#include "tests/e2e/config_driver.h"
#include "tests/e2e/help_viewer.h"
#include "tests/help/help_source.h"
#include "host/language.h"
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace e2e {
namespace {

using ConfigShots = ConfigTest;

// The window as it is on the screen (Wine reads the X server), as a 24-bit BMP file.
bool SaveWindowImage(HWND window, const std::string& unixPath) {
  RECT rect;
  GetWindowRect(window, &rect);
  std::vector<uint8_t> bits = ScreenBits(rect);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = rect.right - rect.left;
  header.biHeight = rect.bottom - rect.top;
  header.biPlanes = 1;
  header.biBitCount = 24;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
  std::string path = "Z:" + unixPath;
  FILE* out = fopen(path.c_str(), "wb");
  bool written = !bits.empty() && out && fwrite(&file, sizeof file, 1, out) == 1 &&
                 fwrite(&header, sizeof header, 1, out) == 1 && fwrite(bits.data(), bits.size(), 1, out) == 1;
  if (out) fclose(out);
  return written;
}

// The help files and source of the language the program shows under this locale, beside the
// Japanese ones.
bool English() { return UiLanguageFor(GetUserDefaultUILanguage()) == EnglishLanguage; }
std::string InLanguage(std::string path, const char* japanese, const char* english) {
  return English() ? path.replace(path.rfind(japanese), strlen(japanese), english) : path;
}

std::string ShotsFolder() {
  const char* folder = getenv("VORLUX_SHOTS_DIR");
  return folder ? folder : "";
}

TEST_F(ConfigShots, DialogAndPages) {
  std::string out = ShotsFolder();
  ASSERT_FALSE(out.empty()) << "set VORLUX_SHOTS_DIR";
  ASSERT_NE(nullptr, OpenDialog());
  Pump(500);
  EXPECT_TRUE(SaveWindowImage(dialog_, out + "/config-dialog.bmp"));
  ASSERT_NE(nullptr, OpenSheet());
  const char* pages[] = {"shape", "light", "material", "options", "motion", "about"};
  for (int i = 0; i < 6; ++i) {
    ShowPage(i);
    Pump(500);
    EXPECT_TRUE(SaveWindowImage(sheet_, out + "/config-page-" + std::to_string(i + 1) + "-" + pages[i] + ".bmp"));
  }
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// The away chooser (/w), as its shortcut opens it.
TEST_F(ConfigShots, AwayChooser) {
  std::string out = ShotsFolder();
  ASSERT_FALSE(out.empty()) << "set VORLUX_SHOTS_DIR";
  process_ = Launch(CommandLine("/w"));
  HWND chooser = WaitForTopLevel(process_, "#32770");
  ASSERT_NE(nullptr, chooser) << "no chooser within 10 s";
  Pump(500);
  EXPECT_TRUE(SaveWindowImage(chooser, out + "/config-away.bmp"));
  Click(chooser, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// The contents, as the dialog's help button opens it, and the topic of the diffuse rows of the
// light and material pages.
TEST_F(ConfigShots, HelpTopics) {
  std::string out = ShotsFolder();
  ASSERT_FALSE(out.empty()) << "set VORLUX_SHOTS_DIR";
  auto titles = HelpSourceTitles(InLanguage("Z:" E2E_SOURCE_DIR "/help/vorlux.txt", "vorlux.txt", "vorlux_en.txt"));
  UseWindowsVersion("winxp64");
  const std::string help = English() ? "vorlux-en.hlp" : "vorlux.hlp";
  ASSERT_NO_FATAL_FAILURE(Install(InLanguage(E2E_HELP_FILE, "vorlux.hlp", "vorlux-en.hlp").c_str(), help.c_str()));
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  HWND viewer = WaitForHelpTopic(titles["contents"]);
  ASSERT_NE(nullptr, viewer) << "no contents topic within 10 s; shown: " << ShownTopics();
  Pump(500);
  EXPECT_TRUE(SaveWindowImage(viewer, out + "/help-contents.bmp"));
  std::string file = folder_ + "\\" + help;
  WinHelpA(dialog_, file.c_str(), HELP_CONTEXT, 1027);
  viewer = WaitForHelpTopic(titles["1027"]);
  ASSERT_NE(nullptr, viewer) << "no topic 1027 within 10 s; shown: " << ShownTopics();
  Pump(500);
  EXPECT_TRUE(SaveWindowImage(viewer, out + "/help-topic-1027.bmp"));
  EXPECT_TRUE(CloseHelpViewers());
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// vorlux.chm as the dialog's help button opens it from Vista on, with every book of its contents
// opened. Wine's viewer shows no page without its browser engine, Gecko.
TEST_F(ConfigShots, HtmlHelpViewer) {
  std::string out = ShotsFolder();
  ASSERT_FALSE(out.empty()) << "set VORLUX_SHOTS_DIR";
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(Install(InLanguage(E2E_CHM_FILE, "vorlux.chm", "vorlux-en.chm").c_str(),
                                  English() ? "vorlux-en.chm" : "vorlux.chm"));
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  HWND viewer = WaitForTopLevel(process_, HtmlHelpViewerClass);
  ASSERT_NE(nullptr, viewer) << "no " << HtmlHelpViewerClass << " window within 10 s";
  HWND contents = nullptr;
  EnumChildWindows(viewer, [](HWND child, LPARAM found) {
    if (ClassOf(child) == WC_TREEVIEWA) *reinterpret_cast<HWND*>(found) = child;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&contents));
  LPARAM item = SendMessageA(contents, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (; item; item = SendMessageA(contents, TVM_GETNEXTITEM, TVGN_NEXT, item))
    SendMessageA(contents, TVM_EXPAND, TVE_EXPAND, item);
  Pump(1500);
  EXPECT_TRUE(SaveWindowImage(viewer, out + "/help-html.bmp"));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

}  // namespace
}  // namespace e2e
