// The choice of the help system: WinHelp before Vista, else vorlux.chm beside the program.
#include "config_ui/help_choice.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Code page 932's walk: a lead byte takes the next byte with it.
const char* NextCp932(const char* text) {
  unsigned char c = static_cast<unsigned char>(*text);
  if (!c) return text;
  return ((c >= 0x81 && c <= 0x9F) || c >= 0xE0) && text[1] ? text + 2 : text + 1;
}

TEST(HelpChoice, WinHelpBeforeVistaElseTheChmBesideTheProgram) {
  const std::string longFolder = "C:\\" + std::string(280, 'a') + "\\";
  struct Case {
    uint32_t major;
    std::string program;
    HelpSystem system;
    const char* file;  // when HTML Help
  } cases[] = {
    {4, "C:\\WINDOWS\\SYSTEM\\vorlux.scr", HelpSystem::Hlp, ""},
    {5, "C:\\WINDOWS\\system32\\vorlux.scr", HelpSystem::Hlp, ""},
    {6, "C:\\Windows\\System32\\vorlux.scr", HelpSystem::Chm, "C:\\Windows\\System32\\vorlux.chm"},
    {10, "C:\\e2e\\a b/vorlux.scr", HelpSystem::Chm, "C:\\e2e\\a b/vorlux.chm"},
    // 表 is 0x95 0x5C: its trail byte is no separator.
    {10, "C:\\e2e\\\x95\x5C.scr", HelpSystem::Chm, "C:\\e2e\\vorlux.chm"},
    {10, "C:\\\x95\x5C\\vorlux.scr", HelpSystem::Chm, "C:\\\x95\x5C\\vorlux.chm"},
    {10, "vorlux.scr", HelpSystem::Chm, "vorlux.chm"},
    {10, longFolder + "vorlux.scr", HelpSystem::Hlp, ""},
  };
  for (const Case& c : cases) {
    HtmlHelpFiles files = {};
    EXPECT_EQ(c.system, ChooseHelp(c.major, c.program.c_str(), NextCp932, &files))
        << "version " << c.major << ", " << c.program;
    if (c.system != HelpSystem::Chm) continue;
    EXPECT_EQ(std::string(c.file), files.file) << c.program;
    EXPECT_EQ(std::string(c.file) + "::/cshelp.txt", files.popups) << c.program;
  }
}

}  // namespace
