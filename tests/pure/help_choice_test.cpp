// The choice of the help system: WinHelp before Vista, else vorlux.chm beside the program.
#include "config_ui/help_choice.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(HelpChoice, WinHelpBeforeVistaElseTheChmBesideTheProgram) {
  const std::u16string longFolder = u"C:\\" + std::u16string(280, u'a') + u"\\";
  struct Case {
    uint32_t major;
    std::u16string program;
    HelpSystem system;
    std::u16string file;  // when HTML Help
  } cases[] = {
    {4, u"C:\\WINDOWS\\SYSTEM\\vorlux.scr", HelpSystem::Hlp, u""},
    {5, u"C:\\WINDOWS\\system32\\vorlux.scr", HelpSystem::Hlp, u""},
    {6, u"C:\\Windows\\System32\\vorlux.scr", HelpSystem::Chm, u"C:\\Windows\\System32\\vorlux.chm"},
    {10, u"C:\\e2e\\a b/vorlux.scr", HelpSystem::Chm, u"C:\\e2e\\a b/vorlux.chm"},
    // A user name that code page 932 cannot spell, and a character beyond the basic plane.
    {10, u"C:\\Users\\김민준\\AppData\\Local\\Programs\\Vorlux\\vorlux.scr", HelpSystem::Chm,
     u"C:\\Users\\김민준\\AppData\\Local\\Programs\\Vorlux\\vorlux.chm"},
    {10, u"C:\\\U0001F4DE\\表.scr", HelpSystem::Chm, u"C:\\\U0001F4DE\\vorlux.chm"},
    {10, u"vorlux.scr", HelpSystem::Chm, u"vorlux.chm"},
    {10, longFolder + u"vorlux.scr", HelpSystem::Hlp, u""},
    // The longest folder that still fits the pop-up file's path with its terminator.
    {10, std::u16string(HelpPathSize - 25, u'a') + u"\\x.scr", HelpSystem::Chm,
     std::u16string(HelpPathSize - 25, u'a') + u"\\vorlux.chm"},
    {10, std::u16string(HelpPathSize - 24, u'a') + u"\\x.scr", HelpSystem::Hlp, u""},
  };
  for (const Case& c : cases) {
    HtmlHelpFiles files = {};
    EXPECT_EQ(c.system, ChooseHelp(c.major, c.program.c_str(), u"vorlux.chm", &files))
        << "version " << c.major << ", " << c.program.size();
    if (c.system != HelpSystem::Chm) continue;
    EXPECT_EQ(c.file, files.file);
    EXPECT_EQ(c.file + u"::/cshelp.txt", files.popups);
  }
}

}  // namespace
