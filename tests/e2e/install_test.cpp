// The installer (the product's script, built for amd64) run silently, as an administrator would:
// where it puts the files, the uninstall entry, the user's screen saver choice, the installed
// saver, and the uninstaller with and without the settings.
#include "tests/e2e/driver.h"
#include <iterator>

namespace e2e {
namespace {

constexpr const char* SystemSaver = "C:\\windows\\system32\\vorlux.scr";
const char* const InstalledFiles[] = {
  SystemSaver, "C:\\windows\\system32\\vorlux.hlp", "C:\\windows\\system32\\vorlux.chm",
  "C:\\Program Files\\Vorlux\\uninstall.exe",
  "C:\\Program Files\\Vorlux\\README.txt", "C:\\Program Files\\Vorlux\\LICENSE.txt",
};
constexpr const char* Uninstaller = "\"C:\\Program Files\\Vorlux\\uninstall.exe\"";
constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlux";
constexpr const char* Desktop = "Control Panel\\Desktop";

std::string MachineText(const char* name) {
  char data[512] = "";
  DWORD size = sizeof data;
  RegGetValueA(HKEY_LOCAL_MACHINE, UninstallKey, name, RRF_RT_REG_SZ, nullptr, data, &size);
  return data;
}

// What the installer leaves: its files, its folder and, written last and removed last, the
// uninstall entry.
std::vector<std::string> Present() {
  std::vector<std::string> found;
  for (const char* path : InstalledFiles)
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) found.push_back(path);
  if (GetFileAttributesA("C:\\Program Files\\Vorlux") != INVALID_FILE_ATTRIBUTES) found.push_back("the folder");
  if (!MachineText("DisplayName").empty()) found.push_back("the uninstall entry");
  return found;
}

class Installer : public SaverTest {
 protected:
  // The uninstaller runs a copy of itself from the temporary folder and ends at once, so its
  // work is awaited through what it removes, the uninstall entry last.
  void RunUninstaller(const std::string& options) {
    EXPECT_EQ(0u, Launch(std::string(Uninstaller) + " /S" + options).WaitForExit(30000));
    EXPECT_TRUE(WaitUntil([] { return Present().empty(); }, 30000)) << "left behind: "
                                                                      << testing::PrintToString(Present());
  }
};

TEST_F(Installer, SilentSetupInstallsTheSaverAndTheUninstallerRemovesEverything) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  ASSERT_EQ(0u, Launch(CommandLine("/S", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(std::size(InstalledFiles) + 2, Present().size()) << testing::PrintToString(Present());
  EXPECT_EQ("Vorlux \x83X\x83N\x83\x8A\x81[\x83\x93\x83Z\x81[\x83o\x81[", MachineText("DisplayName"));  // スクリーンセーバー
  EXPECT_EQ(std::string(Uninstaller), MachineText("UninstallString"));
  EXPECT_EQ("", GetText(Desktop, "SCRNSAVE.EXE")) << "a silent setup chooses the saver only when asked";
  SetDword(SettingsKey, "StringID", 2);
  RunUninstaller("");
  EXPECT_EQ(2u, GetNumber(SettingsKey, "StringID", 99)) << "the settings stay unless asked";

  // Asked to choose the saver: the short path, as Windows keeps it; the installed saver runs.
  ASSERT_EQ(0u, Launch(CommandLine("/S /ACTIVATE", "setup.exe")).WaitForExit(60000));
  char shortPath[MAX_PATH] = "";
  GetShortPathNameA(SystemSaver, shortPath, sizeof shortPath);
  EXPECT_EQ(std::string(shortPath), GetText(Desktop, "SCRNSAVE.EXE"));
  EXPECT_EQ("1", GetText(Desktop, "ScreenSaveActive"));
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(std::string("\"") + SystemSaver + "\" /s", &run, 1));
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
  RunUninstaller(" /REMOVESETTINGS");
  EXPECT_EQ(99u, GetNumber(SettingsKey, "StringID", 99)) << "asked, the settings go too";
  EXPECT_EQ("", GetText(Desktop, "SCRNSAVE.EXE")) << "the choice no longer names a removed file";
}

}  // namespace
}  // namespace e2e
