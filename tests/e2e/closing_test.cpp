// Which user input ends the full-screen saver: key and button presses, mouse movement of more
// than four pixels, another application taking the foreground; over the saver window and over
// its GL child alike.
#include "tests/e2e/driver.h"

namespace e2e {
namespace {

using Closing = SaverTest;

TEST_F(Closing, ReleasesAndTheWheelLeaveItRunningWhileAnyKeyPressEndsIt) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  KeyUp('A');
  MouseInput(MOUSEEVENTF_LEFTUP);
  MouseInput(MOUSEEVENTF_RIGHTUP);
  MouseInput(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  ASSERT_TRUE(KeepsDrawing(run.process)) << "a key release, button releases or the wheel ended the saver";
  KeyDown('A');
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code " << CloseTimeMs << " ms after a key press";
  KeyUp('A');

  // The Alt key comes as a system key.
  FullScreenRun alt;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &alt));
  KeyDown(VK_MENU);
  EXPECT_EQ(0u, alt.process.WaitForExit(CloseTimeMs)) << "exit code " << CloseTimeMs << " ms after pressing Alt";
  KeyUp(VK_MENU);
}

TEST_F(Closing, EachButtonPressEndsItOverTheSaverWindowAndOverTheGlChild) {
  const struct {
    const char* name;
    DWORD down, up;
  } buttons[] = {{"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                 {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                 {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};
  const struct {
    const char* name;
    POINT at;
    bool overChild;
  } spots[] = {{"saver window", Parked, false}, {"GL child", OverChild, true}};
  for (const auto& spot : spots) {
    for (const auto& button : buttons) {
      SCOPED_TRACE(std::string(button.name) + " button over the " + spot.name);
      // The cursor rests there from the start, so the press comes without movement.
      MoveCursor(spot.at.x, spot.at.y);
      FullScreenRun run;
      ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
      ASSERT_EQ(spot.overChild ? run.child : run.saver, WindowFromPoint(spot.at))
          << "saver " << run.saver << ", child " << run.child << " at " << Describe(RectInParent(run.child));
      MouseInput(button.down);
      EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code " << CloseTimeMs << " ms after the press";
      MouseInput(button.up);
    }
  }
}

TEST_F(Closing, MouseMovementEndsItOnceItAddsUpToMoreThanFourPixels) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  MoveCursor(Parked.x + 2, Parked.y + 2);
  ASSERT_TRUE(KeepsDrawing(run.process)) << "2 right and 2 down ended the saver";
  // Measured from where the cursor was when the saver started, so one more pixel is enough.
  MoveCursor(Parked.x + 3, Parked.y + 2);
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after 3 right and 2 down";

  // Over the GL child, which hands the movement to the saver window.
  MoveCursor(OverChild.x, OverChild.y);
  FullScreenRun overChild;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &overChild));
  ASSERT_EQ(overChild.child, WindowFromPoint(OverChild));
  MoveCursor(OverChild.x + 3, OverChild.y + 2);
  EXPECT_EQ(0u, overChild.process.WaitForExit(CloseTimeMs)) << "exit code after 3 right and 2 down over the child";
}

TEST_F(Closing, AnotherApplicationTakingTheForegroundEndsIt) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  DriverWindow other(100, 100, 200, 100);
  SetForegroundWindow(other.Handle());
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after losing the foreground";
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

void StoreDeviation(float deviation) {
  SetRaw(SettingsKeyPath, "Deviation", REG_BINARY, &deviation, sizeof deviation);
}

// A deviation far finer than any font can show: outlines were once split without end, and the
// saver showed nothing and never closed.
TEST_F(Closing, ATinyStoredDeviationStillDrawsTheTextAndAKeyEndsIt) {
  StoreDeviation(1e-15f);
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process)) << "exit code " << CloseTimeMs << " ms after a key press";
}

// Closing waits for the render thread to end its frame, but not for ever: a key ends the saver
// within the usual time, with its usual exit code, even when the render thread never comes back
// from its outlines (the test build's "/s stuck" makes the outline service never return).
TEST_F(Closing, AKeyEndsItEvenWhenTheRenderThreadNeverComesBack) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartStuckSaver(&run));
  ASSERT_TRUE(run.process.SurvivesFor(500)) << "exit code " << run.process.WaitForExit(0);
  EXPECT_EQ(0u, SwapCount()) << "frames drawn by a render thread that cannot build its outlines";
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process)) << "exit code " << CloseTimeMs << " ms after a key press";
}

}  // namespace
}  // namespace e2e
