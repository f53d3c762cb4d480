// The command line as Windows passes it: which tails open the configuration dialog (and with
// which owner), which start the full-screen saver, and which name no usable mode.
#include "tests/e2e/driver.h"
#include "resources/resource.h"

namespace e2e {
namespace {

using CommandTail = SaverTest;

constexpr int OkButton = IDC_CONFIG_OK;

std::wstring WideTitle(HWND window) {
  wchar_t title[128] = L"";
  GetWindowTextW(window, title, 128);
  return title;
}

// Runs the command line up to its configuration dialog, checks the dialog and the owner it got,
// clicks `button` and returns the exit code.
DWORD RunConfigDialog(Process process, HWND expectedOwner, int button) {
  HWND dialog = WaitForTopLevel(process, "#32770");
  if (!dialog) {
    ADD_FAILURE() << "no dialog (#32770) within 10 s";
    return Running;
  }
  // The dialog window shows up in the list before its controls are made.
  EXPECT_TRUE(WaitUntil([&] { return GetDlgItem(dialog, OkButton) != nullptr; }, 5000))
      << "the OK button of the configuration dialog";
  EXPECT_EQ(L"Vorlux\u306e\u8a2d\u5b9a", WideTitle(dialog)) << "caption";
  EXPECT_EQ(expectedOwner, GetWindow(dialog, GW_OWNER)) << "owner";
  // What the button tells the dialog when clicked. (BM_CLICK itself can be lost to the focus
  // changes of the dialog's activation, which comes from the X server at its own pace.)
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  return process.WaitForExit(5000);
}

TEST_F(CommandTail, NothingAfterTheProgramNameOpensTheDialogWithoutOwner) {
  EXPECT_EQ(0u, RunConfigDialog(Launch(CommandLine("")), nullptr, IDCANCEL)) << "quoted name, cancelled";
  std::string unquoted = folder_ + "\\vorlux.scr";
  ASSERT_EQ(std::string::npos, unquoted.find(' '));
  EXPECT_EQ(1u, RunConfigDialog(Launch(unquoted), nullptr, OkButton)) << "unquoted name, confirmed";
  EXPECT_EQ(0u, RunConfigDialog(Launch(CommandLine("/ - ")), nullptr, IDCANCEL)) << "separators only";
}

TEST_F(CommandTail, LetterCOpensTheDialogOwnedByTheForegroundWindow) {
  DriverWindow foreground(100, 100, 300, 200);
  ASSERT_TRUE(SetForegroundWindow(foreground.Handle()));
  EXPECT_EQ(1u, RunConfigDialog(LaunchSaver("/c"), foreground.Handle(), OkButton)) << "/c, confirmed";
  ASSERT_TRUE(SetForegroundWindow(foreground.Handle()));
  EXPECT_EQ(0u, RunConfigDialog(LaunchSaver("/c:1234"), foreground.Handle(), IDCANCEL))
      << "/c:1234 (the number is ignored), cancelled";
}

TEST_F(CommandTail, SaveDashCapitalSAndBlankSStartTheSaver) {
  for (const char* tail : {"/save", "-S", " s"}) {
    SCOPED_TRACE(std::string("tail \"") + tail + "\"");
    FullScreenRun run;
    ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine(tail), &run, 1));
    EXPECT_EQ("Screen Saver", TitleOf(run.saver));
    KeyDown(VK_SPACE);
    EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs));
    KeyUp(VK_SPACE);
  }
}

// Windows may start a saver from a folder whose name holds a blank with its path unquoted (where
// the volume has no short names). Named apart from the line, as such a starter names it, the
// program gets the line as given: Wine quotes the name it found in a line given alone.
TEST_F(CommandTail, TheProgramsOwnPathUnquotedWithABlankStartsTheSaver) {
  std::string folder = folder_ + "\\My Apps", program = folder + "\\vorlux.scr", line = program + " /s";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA((folder_ + "\\vorlux.scr").c_str(), program.c_str(), FALSE));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                             &info)) << GetLastError();
  CloseHandle(info.hThread);
  Process process(info.hProcess, info.dwProcessId);
  ASSERT_NE(nullptr, WaitForTopLevel(process, SaverClass)) << "exit code " << process.WaitForExit(0);
  EXPECT_TRUE(KeepsDrawing(process));
  EXPECT_EQ(0u, ExitCodeAfterKey(process));
}

TEST_F(CommandTail, UnusableTailsEndWithMinusOneAndShowNothing) {
  // A tab right after the program name would be skipped with the blanks; after a separator it
  // is the first byte that decides. The desktop is a window but no place for a preview.
  std::string desktop = "/p " + std::to_string(reinterpret_cast<uintptr_t>(GetDesktopWindow()));
  for (const char* tail : {"/p", "/p:1234", "/\ts", "/1", "/x", "/\x82\xa0", desktop.c_str()}) {
    Process process = LaunchSaver(tail);
    EXPECT_EQ(NoUsableMode, process.WaitForExit(5000)) << "exit code for the tail \"" << tail << "\"";
    EXPECT_TRUE(TopLevelWindows(SaverClass).empty()) << tail;
  }
}

}  // namespace
}  // namespace e2e
