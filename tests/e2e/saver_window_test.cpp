// The full-screen saver seen from outside: its window and GL child, the frames it draws, the
// child's steps, a second start, and the end of the render thread before the process ends.
#include "tests/e2e/driver.h"
#include "render/animation.h"
#include <algorithm>
#include <vector>

namespace e2e {
namespace {

using FullScreen = SaverTest;

constexpr uint64_t FramesPerStep = 72;  // one full X turn
constexpr LONG StepPixels = 10;
constexpr LONG ChildWidth = ChildExtent(1024), ChildHeight = ChildExtent(768);
constexpr uint64_t StepsBeforeBounce = (768 - ChildHeight) / StepPixels;  // the first bounce is at the bottom

// The child steps diagonally while frames FramesPerStep, 2 * FramesPerStep, ... are drawn. Its
// position is read between two swap counts, so any step count that those allow is accepted.
testing::AssertionResult ChildAtItsStep(HWND child, uint64_t leastSteps) {
  uint64_t before = SwapCount();
  RECT rect = RectInParent(child);
  uint64_t after = SwapCount();
  uint64_t fewest = before / FramesPerStep, most = (after + 1) / FramesPerStep;
  if (most > StepsBeforeBounce) return testing::AssertionFailure() << "too late to tell: " << after << " swaps";
  for (uint64_t steps = std::max(fewest, leastSteps); steps <= most; ++steps) {
    LONG at = static_cast<LONG>(steps) * StepPixels;
    if (rect.left == at && rect.top == at && rect.right == at + ChildWidth && rect.bottom == at + ChildHeight)
      return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "child at " << Describe(rect) << " between swaps " << before << " and "
                                     << after << "; expected (10k,10k)-(10k+" << ChildWidth << ",10k+" << ChildHeight
                                     << ") for k from "
                                     << std::max(fewest, leastSteps) << " to " << most;
}

TEST_F(FullScreen, CoversTheScreenWithATopmostWindowWhoseGlChildDrawsTheTextAndSteps) {
  // One step a frame, as fast as the machine draws: the frames count the steps.
  SetDword(SettingsKeyPath, "StepsPerSecond", 0);
  Process process = LaunchSaver("/s");
  HWND saver = WaitForTopLevel(process, SaverClass);
  ASSERT_NE(nullptr, saver) << "no " << SaverClass << " window within 10 s";
  // The GL child comes with the first paint, when the saver window is complete and shown.
  HWND child = WaitForChild(saver, GlClass);
  ASSERT_NE(nullptr, child) << "no " << GlClass << " child within 10 s";
  EXPECT_EQ("Screen Saver", TitleOf(saver));
  EXPECT_EQ("(0,0)-(1024,768)", Describe(RectInParent(saver)));
  EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST) << "extended style "
                                                                  << GetWindowLongA(saver, GWL_EXSTYLE);
  EXPECT_TRUE(IsWindowVisible(saver));

  // Its first frame comes after its creation has ended.
  ASSERT_TRUE(WaitUntil([] { return SwapCount() >= 1; }, 20000)) << "no frame within 20 s";
  EXPECT_EQ("GLWindow", TitleOf(child));
  EXPECT_TRUE(ChildAtItsStep(child, 0)) << "at the start";
  EXPECT_EQ(saver, GetForegroundWindow()) << "the saver takes the foreground";

  // Frame 70 shows the default text nearly face on (every run starts from the same angles).
  Frame frame;
  ASSERT_TRUE(WaitUntil([&] { return ReadFrame(70, &frame); }, 20000)) << "no frame 70; swaps " << SwapCount();
  EXPECT_EQ(ChildWidth, frame.width);
  EXPECT_EQ(ChildHeight, frame.height);
  EXPECT_GT(Measure(frame).lit, 8000) << "lit pixels of the text in frame 70";

  // Catch the child right after its first step; a busy machine may show a later one.
  ASSERT_TRUE(WaitUntil([] { return SwapCount() >= FramesPerStep; }, 20000));
  EXPECT_TRUE(ChildAtItsStep(child, 1)) << "after the first step";
}

// Another program renaming the window changes nothing; a move message without cursor movement
// (the coordinates in it are far from the cursor) does not close it.
TEST_F(FullScreen, IgnoresRenamingAndMoveMessagesWithoutCursorMovement) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  EXPECT_FALSE(SetWindowTextA(run.saver, "renamed")) << "WM_SETTEXT answered as done";
  EXPECT_EQ("Screen Saver", TitleOf(run.saver));
  // As when the GL child moves under a resting cursor.
  PostMessageA(run.saver, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageA(run.child, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
  EXPECT_TRUE(KeepsDrawing(run.process)) << "exit code " << run.process.WaitForExit(0);
  EXPECT_EQ(run.saver, GetForegroundWindow());
  KeyDown(VK_SPACE);
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs));
  KeyUp(VK_SPACE);
}

TEST_F(FullScreen, SecondStartBringsTheRunningSaverForwardAndEnds) {
  FullScreenRun first;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &first));
  Process second = LaunchSaver("/s");
  size_t mostWindows = 0;
  DWORD code = Running;
  WaitUntil(
      [&] {
        mostWindows = std::max(mostWindows, TopLevelWindows(SaverClass).size());
        return (code = second.WaitForExit(0)) != Running;
      },
      10000);
  EXPECT_EQ(0u, code) << "exit code of the second start";
  EXPECT_EQ(1u, mostWindows) << SaverClass << " windows seen while the second start ran";
  EXPECT_EQ(first.saver, GetForegroundWindow());
  ASSERT_TRUE(KeepsDrawing(first.process)) << "the first saver";
  KeyDown(VK_SPACE);
  EXPECT_EQ(0u, first.process.WaitForExit(CloseTimeMs));
  KeyUp(VK_SPACE);
}

// What a debugger attached to the saver sees from a key press to the end of the process.
struct EndSeen {
  std::vector<DWORD> threadExitCodes;  // of the threads that ended before the process
  DWORD processExitCode = Running;
  uint64_t swapsAtWindowEnd = 0;  // when the saver window had gone (from the driver's view)
};

EndSeen CloseUnderDebugger(SaverTest::FullScreenRun& run) {
  EndSeen seen;
  if (!DebugActiveProcess(run.process.Id())) {
    ADD_FAILURE() << "DebugActiveProcess: " << GetLastError();
    return seen;
  }
  DebugSetProcessKillOnExit(FALSE);
  bool attached = false, windowGone = false;
  DWORD breakInThread = 0;  // made by the attach, ends on its own
  DEBUG_EVENT event;
  while (WaitForDebugEvent(&event, 5000)) {
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        break;
      case EXCEPTION_DEBUG_EVENT:
        // The break-in that ends the attach: the saver's threads are all known now.
        if (!attached && event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT) {
          attached = true;
          breakInThread = event.dwThreadId;
          KeyDown(VK_SPACE);
          KeyUp(VK_SPACE);
        } else {
          status = DBG_EXCEPTION_NOT_HANDLED;
        }
        break;
      case EXIT_THREAD_DEBUG_EVENT:
        if (attached && event.dwThreadId != breakInThread) seen.threadExitCodes.push_back(event.u.ExitThread.dwExitCode);
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        seen.processExitCode = event.u.ExitProcess.dwExitCode;
        break;
    }
    if (!windowGone && !IsWindow(run.saver)) windowGone = true, seen.swapsAtWindowEnd = SwapCount();
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) break;
  }
  return seen;
}

// The GL child's destruction waits for the render thread, which ends its frame, tears down and
// returns 1; only then does the process end, with no frame drawn after its window.
TEST_F(FullScreen, RenderThreadEndsNormallyBeforeTheProcessAndDrawsNothingAfterTheWindow) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run, 100));
  EndSeen seen = CloseUnderDebugger(run);
  EXPECT_EQ(0u, seen.processExitCode);
  EXPECT_EQ(std::vector<DWORD>{1}, seen.threadExitCodes)
      << "exit codes of the threads that ended after the key press and before the process "
         "(the render thread returns 1 after its teardown)";
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs));
  EXPECT_GE(seen.swapsAtWindowEnd, 100u);
  EXPECT_EQ(seen.swapsAtWindowEnd, SwapCount()) << "swaps when the window had gone, and after the process ended";
}

TEST_F(FullScreen, TwentyStartsAndClosesInARowAllEndWithZero) {
  for (int run = 1; run <= 20; ++run) {
    FullScreenRun saver;
    ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &saver, 1)) << "run " << run;
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    ASSERT_EQ(0u, saver.process.WaitForExit(5000)) << "run " << run;
  }
}

// Asked for a cursor over its window or over its GL child, the saver sets none, and says it has
// answered. Seen through the input state that the driver shares with the saver's thread meanwhile.
TEST_F(FullScreen, HidesTheCursorWhenAskedForOneOverItsWindowOrItsChild) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  DWORD saverThread = GetWindowThreadProcessId(run.saver, nullptr);
  ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), saverThread, TRUE)) << GetLastError();
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  for (HWND window : {run.saver, run.child}) {
    SetCursor(arrow);
    ASSERT_EQ(arrow, GetCursor());
    EXPECT_EQ(TRUE, SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
        << ClassOf(window) << ": WM_SETCURSOR answered";
    EXPECT_EQ(nullptr, GetCursor()) << ClassOf(window) << ": the cursor after WM_SETCURSOR";
  }
  AttachThreadInput(GetCurrentThreadId(), saverThread, FALSE);
  EXPECT_EQ(0u, ExitCodeAfterKey(run.process));
}

}  // namespace
}  // namespace e2e
