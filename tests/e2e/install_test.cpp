// The installer (the product's script, built for amd64) run silently, as an administrator would:
// where it puts the files, the uninstall entry, the user's screen saver choice, the installed
// saver, its away shortcut, the uninstaller with and without the settings, and a /D= folder that
// others' files share; in English where Windows is not Japanese; for the current user alone, as
// one without administrator rights would; and the x64 MSI through msiexec, as IT would roll it out.
#include "tests/e2e/config_driver.h"
#include <htmlhelp.h>
#include <shlobj.h>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

constexpr const char* SystemSaver = "C:\\windows\\system32\\vorlux.scr";
const char* const SystemFiles[] = {
  SystemSaver, "C:\\windows\\system32\\vorlux.hlp", "C:\\windows\\system32\\vorlux.chm",
  "C:\\windows\\system32\\vorlux-en.hlp", "C:\\windows\\system32\\vorlux-en.chm",
};
// What goes into the installer's own folder, Program Files\Vorlux unless /D= names another place:
// the first three; for the current user, into %LOCALAPPDATA%\Programs\Vorlux, all of them.
const char* const FolderFiles[] = {"uninstall.exe", "README.txt", "LICENSE.txt", "vorlux.scr", "vorlux.hlp", "vorlux.chm",
                                   "vorlux-en.hlp", "vorlux-en.chm"};
constexpr size_t OwnFiles = 3;
constexpr const char* ProgramFolder = "C:\\Program Files\\Vorlux";
constexpr const char* UninstallEntries = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlux";
constexpr const char* Desktop = "Control Panel\\Desktop";

std::string MachineText(const char* name, const std::string& key = UninstallKey) {
  char data[512] = "";
  DWORD size = sizeof data;
  RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
  return data;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

const char* Whose(int programs) { return programs == CSIDL_PROGRAMS ? "the user's" : "all users'"; }

// The away shortcut's name in the language setup ran in.
enum Language { Japanese, English };
const wchar_t* const AwayNames[] = {L"Vorlux で離席", L"Vorlux Away"};

// The away shortcut in the Start menu's programs (CSIDL_COMMON_PROGRAMS, all users', or CSIDL_PROGRAMS,
// the user's) as the shell reads it: "<whose> [English ]shortcut <target> <arguments> key <hot key>",
// or "".
std::string AwayShortcut(int programs, Language language = Japanese) {
  wchar_t path[MAX_PATH] = L"";
  SHGetFolderPathW(nullptr, programs, nullptr, SHGFP_TYPE_CURRENT, path);
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  std::string found;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file)) &&
      SUCCEEDED(file->Load((std::wstring(path) + L"\\" + AwayNames[language] + L".lnk").c_str(), STGM_READ))) {
    wchar_t target[MAX_PATH] = L"", arguments[MAX_PATH] = L"";
    WORD key = 0;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, MAX_PATH);
    link->GetHotkey(&key);
    char text[3 * MAX_PATH];
    snprintf(text, sizeof text, "%s %sshortcut %ls %ls key 0x%04x", Whose(programs), language == English ? "English " : "",
             target, arguments, key);
    found = text;
  }
  if (file) file->Release();
  if (link) link->Release();
  return found;
}

// What an installation leaves: its files, its folder, the away shortcut and, written last and removed
// last, the machine's or the user's uninstall entry.
std::vector<std::string> Present(const std::string& folder = ProgramFolder) {
  std::vector<std::string> found;
  for (const char* path : SystemFiles)
    if (Exists(path)) found.push_back(path);
  for (const char* name : FolderFiles)
    if (Exists(folder + "\\" + name)) found.push_back(folder + "\\" + name);
  if (Exists(folder)) found.push_back(folder);
  for (int programs : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
    for (Language language : {Japanese, English})
      if (!AwayShortcut(programs, language).empty()) found.push_back(AwayShortcut(programs, language));
  if (!MachineText("DisplayName").empty()) found.push_back("the uninstall entry");
  if (!GetText(UninstallKey, "DisplayName").empty()) found.push_back("the user's uninstall entry");
  return found;
}
constexpr size_t AllInstalled = std::size(SystemFiles) + OwnFiles + 3;
// The away shortcut to the saver, as AwayShortcut reads it: Ctrl+Alt+F8 its key.
std::string AwayTo(const std::string& saver, int programs, Language language = Japanese) {
  return Whose(programs) + std::string(language == English ? " English" : "") + " shortcut " + saver + " /w key 0x0677";
}

// The MSI's entries among the machine's uninstall entries (each under its product code).
std::vector<std::string> MsiEntries() {
  HKEY entries = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallEntries, 0, KEY_READ, &entries);
  std::vector<std::string> found;
  char name[256];
  for (DWORD i = 0; entries && RegEnumKeyA(entries, i, name, sizeof name) == ERROR_SUCCESS; ++i)
    if (MachineText("DisplayName", std::string(UninstallEntries) + "\\" + name) == "Vorlux screen saver") found.push_back(name);
  if (entries) RegCloseKey(entries);
  return found;
}

std::string UserFolder() {
  char folder[MAX_PATH] = "";
  ExpandEnvironmentStringsA("%LOCALAPPDATA%\\Programs\\Vorlux", folder, sizeof folder);
  return folder;
}

// Windows keeps the chosen saver's path in its short form.
std::string ShortPath(const std::string& path) {
  char shortPath[MAX_PATH] = "";
  GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  return shortPath;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class Installer : public ConfigTest {
 protected:
  // The uninstaller runs a copy of itself from the temporary folder and ends at once, so its
  // work is awaited through what it removes, the uninstall entry last.
  void RunUninstaller(const std::string& options, const std::string& folder = ProgramFolder) {
    EXPECT_EQ(0u, Launch("\"" + folder + "\\uninstall.exe\" /S" + options).WaitForExit(30000));
    EXPECT_TRUE(WaitUntil([&] { return Present(folder).empty(); }, 30000))
        << "left behind: " << testing::PrintToString(Present(folder));
  }

  // As a standard user would launch it: with the administrators' group in the token for denying
  // only, so that membership checks find none (Wine, which runs everyone as administrator, enforces
  // no access rights by it: what shows is what the program makes of its account type).
  Process LaunchAsStandardUser(std::string commandLine) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    SID_AND_ATTRIBUTES admins = {};
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins.Sid);
    HANDLE own = nullptr, standard = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own);
    CreateRestrictedToken(own, 0, 1, &admins, 0, nullptr, 0, nullptr, &standard);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessAsUserA(standard, nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        folder_.c_str(), &startup, &info);
    EXPECT_TRUE(started) << commandLine << ": " << GetLastError();
    CloseHandle(own);
    CloseHandle(standard);
    FreeSid(admins.Sid);
    if (!started) return Process();
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
  }

  std::string Msiexec(const char* action, const char* package) const {
    return std::string("msiexec ") + action + " \"" + folder_ + "\\" + package + "\" /qn";
  }
};

TEST_F(Installer, SilentSetupInstallsTheSaverAndTheUninstallerRemovesEverything) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  ASSERT_EQ(0u, Launch(CommandLine("/S", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(AllInstalled, Present().size()) << testing::PrintToString(Present());
  EXPECT_EQ(AwayTo(SystemSaver, CSIDL_COMMON_PROGRAMS), AwayShortcut(CSIDL_COMMON_PROGRAMS));
  EXPECT_EQ("Vorlux \x83X\x83N\x83\x8A\x81[\x83\x93\x83Z\x81[\x83o\x81[", MachineText("DisplayName"));  // スクリーンセーバー
  EXPECT_EQ("\"C:\\Program Files\\Vorlux\\uninstall.exe\"", MachineText("UninstallString"));
  EXPECT_EQ("", GetText(Desktop, "SCRNSAVE.EXE")) << "a silent setup chooses the saver only when asked";
  // Neither the MSI (whose files either uninstaller would take from the other) nor setup for the
  // current user alone (a second Vorlux of the same name) goes over it.
  ASSERT_NO_FATAL_FAILURE(Install(E2E_MSI, "vorlux-x64.msi"));
  EXPECT_EQ(1603u, Launch(Msiexec("/i", "vorlux-x64.msi")).WaitForExit(120000));
  EXPECT_EQ(std::vector<std::string>{}, MsiEntries());
  EXPECT_EQ(1638u, Launch(CommandLine("/S /CURRENTUSER", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(AllInstalled, Present().size()) << testing::PrintToString(Present());
  SetDword(SettingsKeyPath, "StringID", 2);
  RunUninstaller("");
  EXPECT_EQ(2u, GetNumber(SettingsKeyPath, "StringID", 99)) << "the settings stay unless asked";

  // Asked to choose the saver: the short path, as Windows keeps it; the installed saver runs.
  ASSERT_EQ(0u, Launch(CommandLine("/S /ACTIVATE", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(ShortPath(SystemSaver), GetText(Desktop, "SCRNSAVE.EXE"));
  EXPECT_EQ("1", GetText(Desktop, "ScreenSaveActive"));
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(std::string("\"") + SystemSaver + "\" /s", &run, 1));
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
  RunUninstaller(" /REMOVESETTINGS");
  EXPECT_EQ(99u, GetNumber(SettingsKeyPath, "StringID", 99)) << "asked, the settings go too";
  EXPECT_EQ("", GetText(Desktop, "SCRNSAVE.EXE")) << "the choice no longer names a removed file";
}

// Where Windows' display language is not Japanese, setup speaks English: it names the away shortcut
// and the uninstall entry in English. The uninstaller, Japanese here, removes that shortcut, and
// WinHelp's index and search files beside both languages' help.
TEST_F(Installer, SetupOnAnEnglishWindowsNamesTheShortcutAndTheEntryInEnglish) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  ASSERT_EQ(0u, Launch(CommandLine("/S", "setup.exe"), "en_US.UTF-8").WaitForExit(60000));
  EXPECT_EQ(AllInstalled, Present().size()) << testing::PrintToString(Present());
  EXPECT_EQ(AwayTo(SystemSaver, CSIDL_COMMON_PROGRAMS, English), AwayShortcut(CSIDL_COMMON_PROGRAMS, English));
  EXPECT_EQ("Vorlux screen saver", MachineText("DisplayName"));
  const std::string system = "C:\\windows\\system32\\";
  for (const char* made : {"vorlux.gid", "vorlux.fts", "vorlux-en.gid", "vorlux-en.fts"})
    std::ofstream(system + made) << "as WinHelp makes it";
  RunUninstaller("");
  for (const char* made : {"vorlux.gid", "vorlux.fts", "vorlux-en.gid", "vorlux-en.fts"})
    EXPECT_FALSE(Exists(system + made)) << made;
}

// An administrator's /D=<folder> that holds a README.txt of someone else's: the installer keeps to a
// Vorlux folder of its own there, and the uninstaller removes that and leaves the other file be.
TEST_F(Installer, SetupIntoAnotherOwnersFolderKeepsToAVorluxFolderAndLeavesTheOwnersFilesAlone) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  const std::string theirs = folder_ + "\\README.txt", own = folder_ + "\\Vorlux";
  std::ofstream(theirs, std::ios::binary) << "someone else's";
  ASSERT_EQ(0u, Launch(CommandLine("/S /D=" + folder_, "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(AllInstalled, Present(own).size()) << testing::PrintToString(Present(own));
  EXPECT_EQ(own, MachineText("InstallLocation"));
  EXPECT_EQ("someone else's", FileText(theirs).substr(0, 40)) << "the installer wrote over another owner's file";
  RunUninstaller("", own);
  EXPECT_EQ("someone else's", FileText(theirs).substr(0, 40)) << "the uninstaller removed another owner's file";
}

// Without administrator rights: everything in the user's own folder, the uninstall entry the
// user's, the saver chosen by its full path; another program's saver stays chosen.
TEST_F(Installer, SetupForTheCurrentUserKeepsToTheUsersFolderAndTheSaverRunsAndFindsItsHelpThere) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  const std::string own = UserFolder(), saver = own + "\\vorlux.scr";
  constexpr const char* Theirs = "C:\\windows\\system32\\theirs.scr";
  SetText(Desktop, "SCRNSAVE.EXE", Theirs);
  // A standard user's silent /ALLUSERS ends with its exit code, where a message box would wait.
  EXPECT_EQ(740u, LaunchAsStandardUser(CommandLine("/S /ALLUSERS", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(std::vector<std::string>{}, Present(own));
  ASSERT_EQ(0u, LaunchAsStandardUser(CommandLine("/S", "setup.exe")).WaitForExit(60000));
  std::vector<std::string> expected;
  for (const char* name : FolderFiles) expected.push_back(own + "\\" + name);
  expected.insert(expected.end(), {own, AwayTo(saver, CSIDL_PROGRAMS), "the user's uninstall entry"});
  EXPECT_EQ(expected, Present(own)) << "nothing in the system folder or the machine's uninstall entries";
  EXPECT_FALSE(Exists(ProgramFolder));
  EXPECT_EQ("\"" + own + "\\uninstall.exe\"", GetText(UninstallKey, "UninstallString"));
  RunUninstaller("", own);
  EXPECT_EQ(Theirs, GetText(Desktop, "SCRNSAVE.EXE")) << "another program's saver is not ours to unchoose";

  // Run again by an administrator, setup keeps to this install: /ALLUSERS is refused, and by
  // default it updates the user's, which /ACTIVATE chooses.
  ASSERT_EQ(0u, Launch(CommandLine("/S /CURRENTUSER", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(1638u, Launch(CommandLine("/S /ALLUSERS", "setup.exe")).WaitForExit(60000));
  ASSERT_EQ(0u, Launch(CommandLine("/S /ACTIVATE", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(expected, Present(own));
  EXPECT_EQ(ShortPath(saver), GetText(Desktop, "SCRNSAVE.EXE"));
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen("\"" + saver + "\" /s", &run, 1));
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
  // From Vista on the help button opens vorlux.chm, which it looks for beside the running saver.
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(InstallHtmlHelpDouble());
  ASSERT_NE(nullptr, OpenDialogOf("\"" + saver + "\""));
  Click(dialog_, HelpButton);
  const std::string contents = "HtmlHelp" + std::to_string(HH_DISPLAY_TOC);  // what the stand-in records
  EXPECT_TRUE(WaitUntil([&] { return DoubleRecord((contents + "Calls").c_str()) == 1; }, 5000)) << "no HH_DISPLAY_TOC";
  EXPECT_EQ(own + "\\vorlux.chm", GetText(TestKey, (contents + "File").c_str()));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  RunUninstaller(" /REMOVESETTINGS", own);
  EXPECT_EQ("", GetText(Desktop, "SCRNSAVE.EXE")) << "the choice no longer names a removed file";
}

// A standard user is never stopped by an elevation prompt they cannot answer.
TEST_F(Installer, TheManifestAsksForElevationOnlyOfAnAdministrator) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  HMODULE setup = LoadLibraryExA((folder_ + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, setup) << GetLastError();
  HRSRC found = FindResourceA(setup, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(nullptr, found) << "no manifest";
  std::string manifest(static_cast<const char*>(LockResource(LoadResource(setup, found))), SizeofResource(setup, found));
  FreeLibrary(setup);
  EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"highestAvailable\"")) << manifest;
}

TEST_F(Installer, TheMsiInstallsForTheMachineAndRemovesEverythingItInstalled) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_MSI, "vorlux-x64.msi"));
  ASSERT_EQ(0u, Launch(Msiexec("/i", "vorlux-x64.msi")).WaitForExit(120000));
  // Wine's msi gives ProgramMenuFolder the user's programs even to a per-machine package (its
  // package.c: "FIXME: set to AllUsers profile path if ALLUSERS is set"); Windows gives all users'.
  std::vector<std::string> expected(std::begin(SystemFiles), std::end(SystemFiles));
  expected.insert(expected.end(), {std::string(ProgramFolder) + "\\README.txt",
      std::string(ProgramFolder) + "\\LICENSE.txt", ProgramFolder, AwayTo(SystemSaver, CSIDL_PROGRAMS)});
  EXPECT_EQ(expected, Present());
  const std::vector<std::string> installed = MsiEntries();
  ASSERT_EQ(1u, installed.size());
  EXPECT_EQ('{', installed[0][0]) << "an uninstall entry under the product code";
  // setup for all users keeps off the MSI's files.
  ASSERT_NO_FATAL_FAILURE(Install(E2E_SETUP, "setup.exe"));
  EXPECT_EQ(1638u, Launch(CommandLine("/S", "setup.exe")).WaitForExit(60000));
  EXPECT_EQ(expected, Present());

  // The package rebuilt at the same version with another build of the saver in it, by the script
  // that builds the MSI: it replaces the one installed.
  const std::string rebuilt = E2E_MSI ".rebuilt";
  DeleteFileA(("Z:" + rebuilt).c_str());
  Process build = Launch("Z:\\usr\\bin\\bash " E2E_SOURCE_DIR "/scripts/make_setup.sh msi-x64 " + rebuilt + " " E2E_SAVER " " E2E_FAULT_SAVER
         " " E2E_HELP_FILE " " + MachineText("DisplayVersion", std::string(UninstallEntries) + "\\" + installed[0]) +
         " /usr/bin/python3");
  ASSERT_TRUE(WaitUntil([&] { return Exists("Z:" + rebuilt); }, 120000)) << "make_setup.sh made no " << rebuilt;
  ASSERT_NO_FATAL_FAILURE(Install(rebuilt.c_str(), "rebuilt.msi"));
  ASSERT_EQ(0u, Launch(Msiexec("/i", "rebuilt.msi")).WaitForExit(120000));
  EXPECT_TRUE(FileText(SystemSaver) == FileText("Z:" E2E_FAULT_SAVER)) << "the rebuilt package's saver";
  EXPECT_EQ(expected, Present());
  EXPECT_EQ(1u, MsiEntries().size()) << testing::PrintToString(MsiEntries());
  ASSERT_EQ(0u, Launch(Msiexec("/x", "rebuilt.msi")).WaitForExit(120000));
  EXPECT_EQ(std::vector<std::string>{}, Present());
  EXPECT_EQ(std::vector<std::string>{}, MsiEntries());
}

}  // namespace
}  // namespace e2e

