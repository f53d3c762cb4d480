// Two monitors (wine-run.sh's VORLUX_MONITORS display): while the saver runs the other monitor is
// black, behind the saver window and never active, input over it ends the saver as input over the
// saver window does, a second start finds the saver window, the black follows the monitor when it
// changes or goes, and it goes with the saver window.
#include "tests/e2e/driver.h"
#include <memory>
#include <string>
#include <vector>

namespace e2e {
namespace {

// The monitors as the system reports them, the primary first.
std::vector<MONITORINFOEXA> Monitors() {
  std::vector<MONITORINFOEXA> found;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM param) -> BOOL {
        auto* list = reinterpret_cast<std::vector<MONITORINFOEXA>*>(param);
        MONITORINFOEXA info = {};
        info.cbSize = sizeof info;
        GetMonitorInfoA(monitor, &info);
        list->insert(info.dwFlags & MONITORINFOF_PRIMARY ? list->begin() : list->end(), info);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Whether `upper` lies above `lower` among the top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
    if (below == lower) return true;
  return false;
}

// Waits until the rectangle of the screen is black.
testing::AssertionResult TurnsBlack(const RECT& rect) {
  int lit = -1;
  if (WaitUntil([&] { return (lit = LitPixelsOnScreen(rect)) == 0; }, 3000)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << lit << " lit pixels on " << Describe(rect) << ", expected 0";
}

// A white window of the driver on the secondary monitor from before the start, as a user's open
// program would be; the cursor is parked on the primary.
class TwoMonitors : public SaverTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SaverTest::SetUp());
    std::vector<MONITORINFOEXA> monitors = Monitors();
    ASSERT_EQ(2u, monitors.size()) << "monitors; the test needs wine-run.sh with VORLUX_MONITORS";
    primary_ = monitors[0].rcMonitor;
    secondary_ = monitors[1].rcMonitor;
    secondaryDevice_ = monitors[1].szDevice;
    window_ = std::make_unique<DriverWindow>(secondary_.left + 50, secondary_.top + 50, 300, 200);
    ASSERT_EQ(60000, LitPixelsOnScreen(secondary_)) << "lit pixels of the driver's window on the secondary "
                                                    << Describe(secondary_) << " before the start";
  }

  RECT primary_ = {}, secondary_ = {};
  std::string secondaryDevice_;
  std::unique_ptr<DriverWindow> window_;
};

// Registered once per layout: the secondary right of the primary, and below it.
TEST_F(TwoMonitors, TheSecondaryShowsNoLitPixelWhileItRuns) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  EXPECT_TRUE(TurnsBlack(secondary_));
  EXPECT_EQ(Describe(primary_), Describe(RectInParent(run.saver))) << "the saver window keeps to the primary";
  std::vector<HWND> covers = TopLevelWindows(CoverClass, run.process.Id());
  ASSERT_EQ(1u, covers.size()) << CoverClass << " windows";
  EXPECT_EQ(Describe(secondary_), Describe(RectInParent(covers[0])));
  LONG exStyle = GetWindowLongA(covers[0], GWL_EXSTYLE);
  const LONG wanted = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  EXPECT_EQ(wanted, exStyle & wanted) << "topmost, without a taskbar button, never activated: extended style "
                                      << exStyle;
  EXPECT_EQ(MA_NOACTIVATE, SendMessageA(covers[0], WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(covers[0]),
                                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)))
      << "a click on the cover";
  EXPECT_TRUE(Above(run.saver, covers[0])) << "the cover lies behind the saver window";
  EXPECT_EQ(run.saver, GetForegroundWindow());
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
}

TEST_F(TwoMonitors, MouseMovementOverTheSecondaryEndsIt) {
  POINT over = {secondary_.left + 100, secondary_.top + 100};
  MoveCursor(over.x, over.y);
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  EXPECT_EQ(CoverClass, ClassOf(WindowFromPoint(over))) << "under the cursor on the secondary";
  MoveCursor(over.x + 3, over.y + 2);
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after 3 right and 2 down";
}

// A click reaches the cover without moving the activation there: it is a close request.
TEST_F(TwoMonitors, AKeyOrAClickEndsItWhileThePointerIsOverTheSecondary) {
  MoveCursor(secondary_.left + 100, secondary_.top + 100);
  const struct {
    const char* name;
    void (*press)();
    void (*release)();
  } inputs[] = {{"a key", [] { KeyDown(VK_SPACE); }, [] { KeyUp(VK_SPACE); }},
                {"a click", [] { MouseInput(MOUSEEVENTF_LEFTDOWN); }, [] { MouseInput(MOUSEEVENTF_LEFTUP); }}};
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.name);
    FullScreenRun run;
    ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
    input.press();
    EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code " << CloseTimeMs << " ms after the press";
    input.release();
  }
}

TEST_F(TwoMonitors, ASecondStartFindsTheSaverWindowAndEnds) {
  FullScreenRun first;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &first));
  Process second = LaunchSaver("/s");
  EXPECT_EQ(0u, second.WaitForExit(10000)) << "exit code of the second start";
  EXPECT_EQ(first.saver, GetForegroundWindow()) << "brought forward: " << ClassOf(GetForegroundWindow());
  EXPECT_EQ(1u, TopLevelWindows(CoverClass).size()) << CoverClass << " windows";
  ASSERT_TRUE(KeepsDrawing(first.process)) << "the first saver";
  EXPECT_EQ(0u, ExitCodeAfterKey(first.process));
}

// The covers go with the saver window, before the process ends, and a display change while it
// closes (a monitor powering down, say) brings none back. The test build whose render thread never
// comes back ("/s stuck") keeps the closing going for its full second.
TEST_F(TwoMonitors, TheCoversGoWithTheSaverWindowAndADisplayChangeWhileItClosesBringsNoneBack) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartStuckSaver(&run));
  Process& process = run.process;
  ASSERT_EQ(1u, TopLevelWindows(CoverClass, process.Id()).size()) << CoverClass << " windows";
  KeyDown(VK_SPACE);
  auto coversGone = [&] { return TopLevelWindows(CoverClass, process.Id()).empty(); };
  ASSERT_TRUE(WaitUntil([&] { return coversGone() || process.WaitForExit(0) != Running; }, CloseTimeMs));
  ASSERT_EQ(Running, process.WaitForExit(0)) << "the covers went only with the process";
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(run.saver, WM_DISPLAYCHANGE, 24, MAKELPARAM(primary_.right, primary_.bottom),
                                  SMTO_NORMAL, CloseTimeMs, &answer))
      << "the closing saver window did not take the display change: " << GetLastError();
  EXPECT_TRUE(coversGone()) << "a cover made while the saver window closes";
  EXPECT_EQ(0u, process.WaitForExit(CloseTimeMs));
  KeyUp(VK_SPACE);
}

// With the secondary right of the primary, it grows from 800 x 600 to 1024 x 768 while the saver
// runs; a driver window waits below it, where the new part will be. Wine's mode setting leaves the
// X pointer at the primary's right edge, so the cursor rests there from the start (put there
// while Wine still takes SetCursorPos; xdotool would leave this process's monitor list empty):
// the change is no mouse movement. The test build's saver that draws nothing ("/s stuck") runs:
// after Wine has set a mode the GL swaps of a drawing saver meet X errors, and Wine's X11 driver
// then deadlocks now and then in libX11 when the main thread waits on the X server meanwhile.
TEST_F(TwoMonitors, TheBlackFollowsTheSecondaryWhenItsResolutionChanges) {
  RECT newPart = {secondary_.left + 100, secondary_.bottom + 50, secondary_.left + 200, secondary_.bottom + 150};
  RECT grown = {secondary_.left, secondary_.top, secondary_.left + 1024, secondary_.top + 768};
  DriverWindow beyond(newPart.left, newPart.top, 100, 100);
  SetCursorPos(primary_.right - 1, primary_.top + 100);
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartStuckSaver(&run));
  Process& process = run.process;
  ASSERT_TRUE(TurnsBlack(secondary_));
  ASSERT_EQ(10000, LitPixelsOnScreen(newPart)) << "the driver's window on the new part before the change";
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(secondaryDevice_.c_str(), ENUM_CURRENT_SETTINGS, &mode)) << secondaryDevice_;
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsExA(secondaryDevice_.c_str(), &mode, nullptr, 0, nullptr));
  std::vector<HWND> covers = TopLevelWindows(CoverClass, process.Id());
  ASSERT_EQ(1u, covers.size()) << CoverClass << " windows after the change";
  EXPECT_EQ(Describe(grown), Describe(RectInParent(covers[0])));
  EXPECT_TRUE(TurnsBlack(grown));
  // Then the secondary is turned off: its cover goes with it.
  mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = mode.dmPelsHeight = 0;
  ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsExA(secondaryDevice_.c_str(), &mode, nullptr,
                                                             CDS_UPDATEREGISTRY | CDS_NORESET, nullptr));
  ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr));
  ASSERT_EQ(1u, Monitors().size()) << "monitors after the secondary was turned off";
  EXPECT_TRUE(TopLevelWindows(CoverClass, process.Id()).empty()) << CoverClass << " windows after it went";
  EXPECT_EQ(0u, ExitCodeAfterKey(process));
}

}  // namespace
}  // namespace e2e
