// The render thread end to end in the test host (the saver's shape: a GL child window of a
// full-screen pop-up), observed through the frame grabber.
#include "tests/win/test_support.h"
#include "tests/win/frames.h"
#include "tests/host/render_host.h"
#include "tests/host/extruding_outlines.h"
#include "host/saver_window.h"
#include "render/animation.h"
#include "render/clock.h"
#include "render/glyphs.h"
#include "render/render_thread.h"
#include "render/scene.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <string.h>
#include <atomic>
#include <map>
#include <set>

namespace {

class FramesTest : public FreshSettingsTest {
 protected:
  void SetUp() override {
    FreshSettingsTest::SetUp();
    ASSERT_TRUE(GrabberPresent()) << "run through wine-run.sh with VORLUX_GRAB=1";
    // One step a frame, as fast as the machine draws: a frame's number tells its angles.
    SetDword(SettingsKeyPath, "StepsPerSecond", 0);
  }
  void TearDown() override {
    CloseRenderHost();
    UseFontOutlines = wglUseFontOutlinesW;
    ClockNow = GetSystemTimeAsFileTime;
    PreviewMode = 0;
  }

  // Runs the saver-shaped host until frame `swap` is out and returns it. Every process starts
  // from the same angles and takes one step a frame, so frame 70 (X 351, Y 355 degrees) always
  // shows the text nearly face on.
  Frame RunUntil(uint64_t swap, HostShape shape = HostShape::Child) {
    Frame frame;
    EXPECT_NE(nullptr, OpenRenderHost(shape, 1024, 768));
    EXPECT_TRUE(WaitForSwaps(swap, 30000)) << "swaps so far: " << SwapCount();
    EXPECT_TRUE(ReadFrame(swap, &frame)) << "frame " << swap;
    return frame;
  }
};

// The colour most pixels of the text have.
uint32_t TextColour(const Frame& frame) {
  std::map<uint32_t, int> counts;
  for (size_t i = 0; i < frame.rgb.size(); i += 3) {
    uint32_t c = frame.rgb[i] << 16 | frame.rgb[i + 1] << 8 | frame.rgb[i + 2];
    if (c) ++counts[c];
  }
  uint32_t best = 0;
  int most = 0;
  for (auto& entry : counts)
    if (entry.second > most) most = entry.second, best = entry.first;
  return best;
}

// Waits for the render thread while serving messages, as the GL window's destruction does, for
// ten seconds at most: a thread that hangs is a failure (STILL_ACTIVE), not a test that never ends.
DWORD WaitForThread(HANDLE thread) {
  DWORD start = GetTickCount();
  while (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 10000) PumpMessages(5);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  return code;
}

TEST_F(FramesTest, DefaultTextIsSolidLitAndTurning) {
  Frame faceOn = RunUntil(70);
  EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, GetThreadPriority(SaverRun.RenderThread))
      << "the render thread yields to input handling";
  EXPECT_EQ(ChildExtent(1024), faceOn.width);
  EXPECT_EQ(ChildExtent(768), faceOn.height);
  FrameStats stats = Measure(faceOn);
  EXPECT_GT(stats.lit, 8000) << "the text covers a good part of the window";
  EXPECT_GT(stats.interior, stats.lit / 2) << "filled polygons, not outlines";
  // The light is fixed while the text turns, so its shade changes from frame to frame.
  ASSERT_TRUE(WaitForSwaps(80, 30000));
  std::set<uint32_t> shades;
  Frame frame;
  for (uint64_t swap = 10; swap <= 80; swap += 10) {
    ASSERT_TRUE(ReadFrame(swap, &frame)) << swap;
    shades.insert(TextColour(frame));
  }
  EXPECT_NE(faceOn.rgb, frame.rgb) << "the text turns (frames 70 and 80)";
  EXPECT_GE(shades.size(), 3u);
  EXPECT_EQ(1u, CloseRenderHost());
}

// Through an outline service that extrudes as Windows' does (Wine's builds front faces only), the
// surfaces nearest the viewer must be what shows, lit by the default light, not the far face and
// walls, lit by the ambient terms alone: bright text over the frames of one X turn.
TEST_F(FramesTest, ExtrudedTextShowsItsLitFrontOverAnXTurn) {
  UseFontOutlines = ExtrudingOutlines;
  RunUntil(70);
  double lit = 0, luminance = 0;
  for (uint64_t swap = 10; swap <= 70; swap += 10) {  // a step a swap: X at 51, 101, ... 351 degrees
    Frame frame;
    ASSERT_TRUE(ReadFrame(swap, &frame)) << swap;
    FrameStats stats = Measure(frame);
    lit += stats.lit;
    luminance += stats.luminance;
  }
  ASSERT_GT(lit, 8000);
  EXPECT_GT(luminance / lit, 100.0) << "the mean luminance of the text's pixels";
}

TEST_F(FramesTest, TopLevelWindowDrawsTheSameWay) {
  Frame frame = RunUntil(70, HostShape::TopLevel);
  EXPECT_EQ(ChildExtent(1024), frame.width);
  EXPECT_GT(Measure(frame).lit, 8000);
}

TEST_F(FramesTest, FormatZeroDrawsOutlines) {
  SetDword(SettingsKeyPath, "Format", 0);
  FrameStats stats = Measure(RunUntil(70));
  EXPECT_GT(stats.lit, 200) << "the outlines are there";
  EXPECT_LT(stats.interior, stats.lit / 4) << "but nothing is filled";
}

TEST_F(FramesTest, WithoutLightingTheTextTakesTheEmissionColour) {
  SetDword(SettingsKeyPath, "GL_LIGHTING", 0);
  const float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
  SetRaw(SettingsKeyPath, "mat_emission", REG_BINARY, green, 16);
  Frame frame = RunUntil(70);
  FrameStats stats = Measure(frame);
  EXPECT_GT(stats.lit, 8000);
  EXPECT_EQ(1, stats.colours);
  const uint8_t* p = nullptr;
  for (size_t i = 0; i < frame.rgb.size() && !p; i += 3)
    if (frame.rgb[i] | frame.rgb[i + 1] | frame.rgb[i + 2]) p = &frame.rgb[i];
  ASSERT_NE(nullptr, p);
  EXPECT_EQ(0, p[0]);
  EXPECT_EQ(255, p[1]);
  EXPECT_EQ(0, p[2]);
}

TEST_F(FramesTest, EmptyTextDrawsBlackAndStillSteps) {
  SetDword(SettingsKeyPath, "StringID", 0);
  SetText(SettingsKeyPath, "ZorvelString0", "");
  Frame frame = RunUntil(70);
  EXPECT_EQ(0, Measure(frame).lit);
  ASSERT_TRUE(WaitForSwaps(75, 30000));
  HWND child = SaverRun.ChildWindow;
  ClearRunFlag();
  ASSERT_EQ(1u, WaitForThread(SaverRun.RenderThread));
  PumpMessages(50);
  // The window steps 10 pixels diagonally on every 72nd frame.
  uint64_t steps = SwapCount() / 72;
  ASSERT_GE(steps, 1u);
  ASSERT_LT(steps, 30u) << "before the first bounce";
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(static_cast<LONG>(10 * steps), rect.left);
  EXPECT_EQ(static_cast<LONG>(10 * steps), rect.top);
  EXPECT_EQ(ChildExtent(1024), rect.right - rect.left);
  EXPECT_EQ(ChildExtent(768), rect.bottom - rect.top);
}

TEST_F(FramesTest, ClearingTheFlagEndsTheThreadWithinAFrame) {
  RunUntil(10);
  ClearRunFlag();
  uint64_t atClear = SwapCount();
  EXPECT_EQ(1u, WaitForThread(SaverRun.RenderThread));
  EXPECT_LE(SwapCount(), atClear + 1) << "only the frame in progress may finish";
}

// A clock that stands at a time the test sets: today, at an hour and minute of the local clock.
std::atomic<uint64_t> FixedTime{0};
void WINAPI FixedClock(LPFILETIME now) {
  uint64_t time = FixedTime.load();
  *now = FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}
uint64_t Today(int hour, int minute) {
  SYSTEMTIME local, universal;
  GetLocalTime(&local);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  local.wSecond = local.wMilliseconds = 0;
  FILETIME time = {};
  EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) && SystemTimeToFileTime(&universal, &time));
  return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool DarkEdges(const Frame& frame) {
  for (int x = 0; x < frame.width; ++x)
    for (int y : {0, frame.height - 1})
      if (frame.Pixel(x, y)[0] | frame.Pixel(x, y)[1] | frame.Pixel(x, y)[2]) return false;
  for (int y = 0; y < frame.height; ++y)
    for (int x : {0, frame.width - 1})
      if (frame.Pixel(x, y)[0] | frame.Pixel(x, y)[1] | frame.Pixel(x, y)[2]) return false;
  return true;
}

// The time now under an empty word, alone in the frame, readable and inside the window: 11:11,
// then, within a second of the clock's turn, 18:08, which has far more ink.
TEST_F(FramesTest, TheTimeNowIsDrawnInTheWindowAndFollowsTheClock) {
  SetDword(SettingsKeyPath, "TimeDisplay", 2);
  SetDword(SettingsKeyPath, "Motion", 1);
  SetDword(SettingsKeyPath, "StepsPerSecond", 30);  // frame 200 comes some seconds after frame 70
  SetDword(SettingsKeyPath, "StringID", 0);
  SetText(SettingsKeyPath, "ZorvelString0", "");
  FixedTime = Today(11, 11);
  ClockNow = FixedClock;
  Frame ones = RunUntil(70);
  FixedTime = Today(18, 8);
  ASSERT_TRUE(WaitForSwaps(200, 30000));
  Frame eights;
  ASSERT_TRUE(ReadFrame(200, &eights));
  int before = Measure(ones).lit, after = Measure(eights).lit;
  EXPECT_GT(before, 200) << "11:11 is drawn";
  EXPECT_GT(after, before * 3 / 2) << "18:08 is drawn instead";
  EXPECT_TRUE(DarkEdges(ones) && DarkEdges(eights)) << "the time stays inside the window";
}

// The time the user left, with "～": in a run the minute of the last input, in a preview the
// minute it started. The clock stands at 10:00 and the last input comes a moment before: 9:59～,
// one glyph fewer than 10:00～. Upright and swaying little, each glyph is a run of inked columns.
TEST_F(FramesTest, TheTimeLeftIsTheLastInputsMinuteInARunAndTheStartInAPreview) {
  SetDword(SettingsKeyPath, "TimeDisplay", 1);
  SetDword(SettingsKeyPath, "Motion", 1);
  SetDword(SettingsKeyPath, "StringID", 0);
  SetText(SettingsKeyPath, "ZorvelString0", "");
  FixedTime = Today(10, 0);
  ClockNow = FixedClock;
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  LASTINPUTINFO input = {sizeof input, 0};
  ASSERT_TRUE(GetLastInputInfo(&input) && input.dwTime != 0);
  while (GetTickCount() == input.dwTime) PumpMessages(1);  // so that it lies before the clock's 10:00
  for (int32_t preview : {0, 1}) {
    PreviewMode = preview;
    Frame frame = RunUntil((SwapCount() / 10 + 1) * 10);  // the next frame the grabber keeps
    CloseRenderHost();
    EXPECT_EQ(preview ? 6 : 5, Measure(frame).inkRuns) << (preview ? "10:00～, when the preview started"
                                                                   : "9:59～, the minute of the last input");
  }
}

// A paced run waits for the display's refresh at each swap: it asks for a swap interval of 1, which
// Wine hands on to GLX (the frame grabber notes it).
TEST_F(FramesTest, APacedRunAsksEachSwapToWaitForTheDisplay) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 60);
  RunUntil(10);
  EXPECT_EQ(std::vector<int>{1}, AskedSwapIntervals());
}

// What the set-up of a paced run takes (the pacer's timer among it) its end gives back: over runs
// of the render thread one after another the process keeps the handles the first one left.
TEST_F(FramesTest, PacedRunsGiveBackTheirHandles) {
  SetDword(SettingsKeyPath, "StepsPerSecond", 60);
  long afterFirst = 0;
  for (int run = 0; run < 4; ++run) {
    uint64_t swaps = SwapCount();
    ASSERT_NE(nullptr, OpenRenderHost(HostShape::Child, 1024, 768));
    ASSERT_TRUE(WaitForSwaps(swaps + 3, 30000)) << "run " << run;
    ASSERT_EQ(1u, CloseRenderHost());
    if (run == 0) afterFirst = HandleCount();  // with what lasts, Wine's GL among it
  }
  ASSERT_GT(afterFirst, 0) << "the system's handle table";
  EXPECT_EQ(afterFirst, HandleCount()) << "handles after three more paced runs";
}

// A window of our own with the host's sizes, for running the thread routine directly.
HWND PlainChildWindow() {
  SaverRun.SaverWidth = 1024;
  SaverRun.SaverHeight = 768;
  SaverRun.ChildWidth = ChildExtent(1024);
  SaverRun.ChildHeight = ChildExtent(768);
  SaverRun.ChildWindow = CreateWindowExA(0, "STATIC", "GLWindow", WS_POPUP | WS_VISIBLE, 0, 0, SaverRun.ChildWidth,
                                           SaverRun.ChildHeight, nullptr, nullptr, nullptr, nullptr);
  memcpy(SaverRun.Text, SaverState.DefaultText, sizeof SaverRun.Text);
  return SaverRun.ChildWindow;
}

TEST_F(FramesTest, FlagClearedBeforeTheFirstFrameDrawsNothing) {
  ASSERT_NE(nullptr, PlainChildWindow());
  ClearRunFlag();
  HANDLE thread = CreateThread(nullptr, 0, RenderThreadMain, &SaverRun, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  EXPECT_EQ(1u, WaitForThread(thread)) << "set up, torn down, ended normally";
  EXPECT_EQ(0u, SwapCount());
  CloseHandle(thread);
  DestroyWindow(SaverRun.ChildWindow);
}

// Finds the render thread's message box and presses its button.
struct MessageBoxSeen {
  char text[64] = "";
  char caption[64] = "";
};
BOOL CALLBACK AnswerMessageBox(HWND window, LPARAM seen) {
  char className[16];
  GetClassNameA(window, className, sizeof className);
  if (strcmp(className, "#32770") != 0) return TRUE;
  MessageBoxSeen* box = reinterpret_cast<MessageBoxSeen*>(seen);
  GetWindowTextA(window, box->caption, sizeof box->caption);
  GetDlgItemTextA(window, 0xFFFF, box->text, sizeof box->text);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

TEST_F(FramesTest, PixelFormatFailureIsReportedAndEndsTheThread) {
  HWND window = PlainChildWindow();
  ASSERT_NE(nullptr, window);
  // Give the window another pixel format first: a window's format cannot be changed, so the
  // render thread's SetPixelFormat fails.
  HDC dc = GetDC(window);
  int chosen = ChoosePixelFormat(dc, &PixelFormatTemplate);
  int other = 0;
  PIXELFORMATDESCRIPTOR pfd;
  int count = DescribePixelFormat(dc, 1, sizeof pfd, &pfd);
  for (int i = 1; i <= count && !other; ++i) {
    DescribePixelFormat(dc, i, sizeof pfd, &pfd);
    if (i != chosen && (pfd.dwFlags & PFD_SUPPORT_OPENGL) && (pfd.dwFlags & PFD_DRAW_TO_WINDOW)) other = i;
  }
  ASSERT_NE(0, other);
  ASSERT_TRUE(SetPixelFormat(dc, other, &pfd));
  ReleaseDC(window, dc);

  SetRunFlag();
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, RenderThreadMain, &SaverRun, 0, &threadId);
  ASSERT_NE(nullptr, thread);
  MessageBoxSeen seen;
  for (int i = 0; i < 1000 && !seen.caption[0]; ++i) {
    PumpMessages(10);
    EnumThreadWindows(threadId, AnswerMessageBox, reinterpret_cast<LPARAM>(&seen));
  }
  EXPECT_STREQ("Error", seen.caption);
  EXPECT_STREQ("SetPixelFormat failed", seen.text);
  EXPECT_EQ(0u, WaitForThread(thread));
  EXPECT_EQ(0u, SwapCount());
  CloseHandle(thread);
  ClearRunFlag();
  DestroyWindow(window);
}

}  // namespace
