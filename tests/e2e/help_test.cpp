// The help in Wine's viewers. Windows XP: the configuration dialog's help button opens the
// contents topic of vorlux.hlp in WinHelp, and each context number of the dialogs' help tables,
// asked for with HELP_CONTEXT, opens the topic the source titles for it. Windows 10: the help
// button opens vorlux.chm in HTML Help, from the system's hhctrl.ocx; a stand-in for that shows
// which calls the button, a context-help request and the dialog's end make. Wine's viewers ignore
// HELP_WM_HELP and HH_TP_HELP_WM_HELP, which the dialogs send on a context-help request; what those
// tables lead to is checked against the files natively.
#include "config_ui/help_context_ids.h"
#include "tests/e2e/config_driver.h"
#include "tests/e2e/help_viewer.h"
#include "tests/help/help_source.h"
#include <commctrl.h>
#include <htmlhelp.h>

namespace e2e {
namespace {

using HelpViewer = ConfigTest;

TEST_F(HelpViewer, TheHelpButtonOpensTheContentsAndEachContextNumberItsTopic) {
  auto titles = HelpSourceTitles("Z:" E2E_SOURCE_DIR "/help/vorlux.txt");
  ASSERT_EQ(1u, titles.count("contents")) << "the source's contents topic";
  // Windows XP has WinHelp: the HTML Help file beside the program changes nothing there.
  UseWindowsVersion("winxp64");
  ASSERT_NO_FATAL_FAILURE(Install(E2E_CHM_FILE, "vorlux.chm"));
  // Beside the program, where the viewer looks for it: without it the viewer would ask for it.
  ASSERT_NO_FATAL_FAILURE(Install(E2E_HELP_FILE, "vorlux.hlp"));
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  ASSERT_NE(nullptr, WaitForHelpTopic(titles["contents"]))
      << "expected the contents topic " << titles["contents"] << " within 10 s, shown: " << ShownTopics();
  std::string file = folder_ + "\\vorlux.hlp";
  for (uint32_t id : HelpContextIds()) {
    std::string title = titles[std::to_string(id)];
    ASSERT_TRUE(WinHelpA(dialog_, file.c_str(), HELP_CONTEXT, id)) << "context " << id;
    EXPECT_NE(nullptr, WaitForHelpTopic(title, 5000))
        << "context " << id << ": expected the topic " << title << ", shown: " << ShownTopics();
  }
  EXPECT_TRUE(CloseHelpViewers()) << "the viewer did not end within 10 s";
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// Wine's hhctrl.ocx shows no page (its browser engine, Gecko, is not installed), but opens its
// viewer window, titled with the help file's title. The system's viewer: a file of its name beside
// the program (an unpacked download, say) is never loaded, even where the system would take it
// before its own.
TEST_F(HelpViewer, FromVistaOnTheHelpButtonOpensTheHtmlHelpFile) {
  auto titles = HelpSourceTitles("Z:" E2E_SOURCE_DIR "/help/vorlux.txt");
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(Install(E2E_CHM_FILE, "vorlux.chm"));
  ASSERT_NO_FATAL_FAILURE(Install(E2E_HELP_FILE, "vorlux.hlp"));
  ASSERT_NO_FATAL_FAILURE(Install(E2E_HHCTRL_DOUBLE, "hhctrl.ocx"));
  PreferNativeDll("hhctrl.ocx");
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  HWND viewer = WaitForTopLevel(process_, HtmlHelpViewerClass);
  ASSERT_NE(nullptr, viewer) << "no " << HtmlHelpViewerClass << " window within 10 s";
  EXPECT_EQ(titles["contents"], Utf8(TitleOf(viewer)));
  EXPECT_EQ(0u, DoubleRecord("HtmlHelpLoads")) << "the hhctrl.ocx beside the program was loaded";
  Pump(1000);
  EXPECT_TRUE(TopLevelWindows(HelpViewerClass).empty()) << "WinHelp was asked as well";
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

std::wstring RecordedFile(UINT command) {
  return GetWideText(TestKey, ("HtmlHelp" + std::to_string(command) + "File").c_str());
}
DWORD RecordedNumber(UINT command, const char* what) {
  return DoubleRecord(("HtmlHelp" + std::to_string(command) + what).c_str());
}

// F1 with the focus on the control, as the user would ask; true once the stand-in has counted
// `calls` pop-up requests in all.
bool PressF1On(HWND dialog, HWND control, DWORD calls) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  KeyDown(VK_F1);
  KeyUp(VK_F1);
  bool counted = WaitUntil([calls] { return RecordedNumber(HH_TP_HELP_WM_HELP, "Calls") == calls; }, 5000);
  EXPECT_TRUE(counted) << "HH_TP_HELP_WM_HELP calls: " << RecordedNumber(HH_TP_HELP_WM_HELP, "Calls")
                       << ", expected " << calls;
  return counted;
}

TEST_F(HelpViewer, FromVistaOnTheButtonAndContextHelpCallHtmlHelpWithTheChmAndTheTable) {
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(Install(E2E_CHM_FILE, "vorlux.chm"));
  ASSERT_NO_FATAL_FAILURE(InstallHtmlHelpDouble());
  ASSERT_NE(nullptr, OpenDialog());
  const std::wstring file = std::wstring(folder_.begin(), folder_.end()) + L"\\vorlux.chm";

  Click(dialog_, HelpButton);
  ASSERT_TRUE(WaitUntil([] { return RecordedNumber(HH_DISPLAY_TOC, "Calls") == 1; }, 5000))
      << "HH_DISPLAY_TOC calls: " << RecordedNumber(HH_DISPLAY_TOC, "Calls") << ", expected 1";
  EXPECT_EQ(file, RecordedFile(HH_DISPLAY_TOC));
  EXPECT_EQ(Low32(dialog_), RecordedNumber(HH_DISPLAY_TOC, "Caller")) << "the dialog";
  EXPECT_EQ(0u, RecordedNumber(HH_DISPLAY_TOC, "Data")) << "the start page";

  HWND ok = GetDlgItem(dialog_, ConfirmButton);
  ASSERT_TRUE(PressF1On(dialog_, ok, 1));
  EXPECT_EQ(file + L"::/cshelp.txt", RecordedFile(HH_TP_HELP_WM_HELP));
  EXPECT_EQ(Low32(ok), RecordedNumber(HH_TP_HELP_WM_HELP, "Caller")) << "the control asked about";
  std::vector<DWORD> expected, recorded(64);
  for (const uint32_t* pair = ConfigHelpIds; pair[0] || pair[1]; pair += 2)
    expected.insert(expected.end(), pair, pair + 2);
  DWORD size = static_cast<DWORD>(recorded.size() * sizeof(DWORD));
  if (RegGetValueA(HKEY_CURRENT_USER, TestKey, "HtmlHelp17Data", RRF_RT_REG_BINARY, nullptr, recorded.data(), &size))
    size = 0;
  recorded.resize(size / sizeof(DWORD));
  EXPECT_EQ(expected, recorded) << "the dialog's help table";

  // F1 in the combo box's text field: the field inside it has the details button's id, 1001.
  HWND combo = GetDlgItem(dialog_, TextCombo);
  ASSERT_TRUE(PressF1On(dialog_, combo, 2));
  EXPECT_EQ(Low32(combo), RecordedNumber(HH_TP_HELP_WM_HELP, "Caller")) << "the combo box, not the field inside it";

  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  EXPECT_EQ(1u, RecordedNumber(HH_CLOSE_ALL, "Calls")) << "the help windows closed with the dialog";
  EXPECT_EQ(1u, DoubleRecord("HtmlHelpViewerClosed")) << "the process ended before the viewer had closed";
  EXPECT_TRUE(TopLevelWindows(HelpViewerClass).empty()) << "WinHelp was asked as well";
}

// Installed for a user whose name code page 932 cannot spell (a Korean user on Japanese Windows),
// the program finds the help beside it and reads its own version information.
TEST_F(HelpViewer, FromAFolderTheCodePageCannotSpellTheHtmlHelpFileAndTheAboutPageAreFound) {
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(Install(E2E_CHM_FILE, "vorlux.chm"));
  ASSERT_NO_FATAL_FAILURE(InstallHtmlHelpDouble());
  const std::wstring plain(folder_.begin(), folder_.end()), folder = plain + L"\\김민준";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const wchar_t* name : {L"\\vorlux.scr", L"\\vorlux.chm"})
    ASSERT_TRUE(MoveFileW((plain + name).c_str(), (folder + name).c_str())) << GetLastError();
  // Launched as the shell would, through the Unicode call: the code page's would lose the name too.
  std::wstring line = L"\"" + folder + L"\\vorlux.scr\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
      << GetLastError();
  CloseHandle(info.hThread);
  process_ = Process(info.hProcess, info.dwProcessId);
  ASSERT_NE(nullptr, dialog_ = WaitForTopLevel(process_, "#32770"));

  ASSERT_NE(nullptr, OpenSheet());
  HWND about = ShowPage(5);
  EXPECT_EQ("Vorlux", TextOf(GetDlgItem(about, IDC_PRODUCT_NAME)));
  EXPECT_EQ("1.0.0.1", TextOf(GetDlgItem(about, IDC_FILE_VERSION)));
  EXPECT_EQ(0u, TextOf(GetDlgItem(about, IDC_COPYRIGHT)).find("Copyright")) << TextOf(GetDlgItem(about, IDC_COPYRIGHT));
  EXPECT_EQ(0u, TextOf(GetDlgItem(about, IDC_ABOUT_TEXT)).find(AboutFirstLine())) << "the about text's first line";
  ASSERT_TRUE(PressSheetButton(PSBTN_CANCEL));

  Click(dialog_, HelpButton);
  ASSERT_TRUE(WaitUntil([] { return RecordedNumber(HH_DISPLAY_TOC, "Calls") == 1; }, 5000))
      << "HH_DISPLAY_TOC calls: " << RecordedNumber(HH_DISPLAY_TOC, "Calls") << ", expected 1";
  EXPECT_EQ(folder + L"\\vorlux.chm", RecordedFile(HH_DISPLAY_TOC));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

// Help asked for with F1 alone, never with the button, is closed with the dialog too.
TEST_F(HelpViewer, FromVistaOnAnF1OnlySessionClosesItsHelpWindowsBeforeItEnds) {
  UseWindowsVersion("win10");
  ASSERT_NO_FATAL_FAILURE(Install(E2E_CHM_FILE, "vorlux.chm"));
  ASSERT_NO_FATAL_FAILURE(InstallHtmlHelpDouble());
  ASSERT_NE(nullptr, OpenDialog());
  ASSERT_TRUE(PressF1On(dialog_, GetDlgItem(dialog_, ConfirmButton), 1));
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
  EXPECT_EQ(1u, RecordedNumber(HH_CLOSE_ALL, "Calls")) << "the help windows closed with the dialog";
  EXPECT_EQ(1u, DoubleRecord("HtmlHelpViewerClosed")) << "the process ended before the viewer had closed";
}

}  // namespace
}  // namespace e2e
