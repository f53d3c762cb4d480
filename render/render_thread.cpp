// The render thread and its frame loop. Everything here runs on the render thread, except
// SetRunFlag and ClearRunFlag, which the main thread calls.
#include "render/render_thread.h"
#include "render/animation.h"
#include "render/clock.h"
#include "render/frame_pacer.h"
#include "render/glyphs.h"
#include "render/motion.h"
#include "render/scene.h"
#include "settings/store.h"
#include <GL/gl.h>

std::atomic<int32_t> RunFlag{0};

// The animation, never reset: the process runs the saver once.
static float AngleX = StartAngleX;
static float AngleY = StartAngleY;
static float AngleZ = StartAngleZ;
static int32_t PosX = 0;
static int32_t PosY = 0;
static int32_t DirX = +1;
static int32_t DirY = +1;
static uint32_t SwayStep = 0;                  // the readable motion's place in its cycle
static TextPoint TextMiddle = {0.0f, 0.0f};  // what the readable motion turns about

// The time beside the word, when it is shown: what it shows, the lists of its line (offsets from
// the list base), the minute they show, and the block that word and time make together.
static TimeDisplay Time = TimeDisplay::None;
static int16_t TimeLists[MaxTimeGlyphs];
static int32_t TimeListCount = 0;
static int ShownMinute = -1;
static BlockLayout Block;
// The time now is looked at this often, so a new minute shows within a second.
constexpr DWORD ClockLookMs = 250;

void SetRunFlag() { RunFlag.store(1, std::memory_order_relaxed); }
void ClearRunFlag() { RunFlag.store(0, std::memory_order_relaxed); }

void StartRenderThread() {
  SetRunFlag();
  DWORD threadId;  // not used, but Windows 95 to Me fail the call without a place for it
  SaverState.RenderThread = CreateThread(nullptr, 0, RenderThreadMain, &SaverState, 0, &threadId);
  if (SaverState.RenderThread) SetThreadPriority(SaverState.RenderThread, THREAD_PRIORITY_BELOW_NORMAL);
}

// The render thread may be inside MoveWindow on the child window, which waits for the main
// thread: a plain blocking wait would hold both. So the wait sleeps until the thread ends or a
// message comes, and serves the messages; it never spins, which would take the time a
// below-normal render thread needs to finish on a machine with one core. A quit request that the
// pump takes off the queue is posted again by the caller afterwards. The pump can dispatch a
// second close of the saver window, whose destruction comes back here: the nested wait waits too,
// and only the outermost closes the handle, so neither ever waits on a closed one. The run flag is
// read only between frames, so a thread still in its set-up (a long text of outlines) may not come
// back for a long time: the wait gives up after StopWaitMs and leaves the decision to the caller.
static int StopDepth = 0;

DWORD StopRenderThread() {
  ClearRunFlag();
  HANDLE thread = SaverState.RenderThread;
  if (!thread) return STILL_ACTIVE;
  ++StopDepth;
  DWORD start = GetTickCount();
  bool ended = false;
  for (;;) {
    // Everything pending first: the wait wakes only for messages that come after this.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    DWORD waited = GetTickCount() - start;
    if (waited >= StopWaitMs) break;
    DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, StopWaitMs - waited, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) ended = true;
    if (woke != WAIT_OBJECT_0 + 1) break;
  }
  --StopDepth;
  if (!ended) return RenderThreadOverdue;
  DWORD exitCode = STILL_ACTIVE;
  GetExitCodeThread(thread, &exitCode);
  if (StopDepth == 0) {
    CloseHandle(thread);
    SaverState.RenderThread = nullptr;
  }
  return exitCode;
}

static bool Running() { return RunFlag.load(std::memory_order_relaxed) == 1; }

// MoveWindow on a window of the main thread: carried out there while this thread waits.
static void StepChildWindow() {
  StepAxis(&PosX, &DirX, SaverState.ChildWidth, SaverState.SaverWidth);
  StepAxis(&PosY, &DirY, SaverState.ChildHeight, SaverState.SaverHeight);
  MoveWindow(SaverState.ChildWindow, PosX, PosY, SaverState.ChildWidth, SaverState.ChildHeight, TRUE);
}

// The second half of an animation step, after it has been drawn (or at once when another step
// follows before the next frame): the angles wrap, and on an X wrap the child window steps.
static void FinishStep() {
  if (WrapSpinAngles(&AngleX, &AngleY, &AngleZ)) StepChildWindow();
}

// The time on the local clock, when its minute is not the one shown: other lists, a new layout.
static void ShowTime(uint64_t utc, const SingleSettings& settings) {
  int hour, minute;
  if (!LocalHourMinute(utc, &hour, &minute) || hour * 60 + minute == ShownMinute) return;
  ShownMinute = hour * 60 + minute;
  int16_t glyphs[MaxTimeGlyphs];
  int32_t count = TimeLineGlyphs(hour, minute, Time, glyphs);
  for (int32_t i = 0; i < count; ++i) TimeLists[i] = static_cast<int16_t>(TimeListBase - GlyphListBase + glyphs[i]);
  Block = GlyphBlock(glyphs, count, settings.extrusion, settings.userScale);
  TimeListCount = count;
}

static void DrawFrame(float scale, Motion motion) {
  const bool withTime = TimeListCount > 0;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  if (motion == Motion::FaceTheRoom) {
    SwayAngles sway = SwayAt(SwayStep);
    glRotatef(sway.x, 1.0f, 0.0f, 0.0f);
    glRotatef(sway.y, 0.0f, 1.0f, 0.0f);
    glRotatef(sway.z, 0.0f, 0.0f, 1.0f);
    // Word and time turn about the block's middle, at a scale that keeps the block in the window.
    float blockScale = withTime ? Block.readableScale : scale;
    TextPoint middle = withTime ? Block.middle : TextMiddle;
    glScalef(blockScale, blockScale, blockScale);
    glTranslatef(-middle.x, -middle.y, 0.0f);
  } else {
    glRotatef(AngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(AngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(AngleZ, 0.0f, 0.0f, 1.0f);
    glScalef(scale, scale, scale);
  }
  if (withTime) {
    // Each list moves the origin on by its advance: the time line starts from the word's origin.
    glPushMatrix();
    glCallLists(GlyphCount, GL_SHORT, GlyphIndexes);
    glPopMatrix();
    glTranslatef(Block.timeOrigin.x, Block.timeOrigin.y, 0.0f);
    glScalef(TimeLineSize, TimeLineSize, TimeLineSize);
    glCallLists(TimeListCount, GL_SHORT, TimeLists);
  } else {
    glCallLists(GlyphCount, GL_SHORT, GlyphIndexes);
  }
  glPopMatrix();
}

// Steps come at the settings' rate whatever the drawing rate; a frame is drawn only when at least
// one is due, after all of them have been taken. Each step is the same as ever: the angles
// advance, then wrap, and the child window steps on an X wrap. The spin angles step in either
// motion, so the window keeps its pace whichever is drawn.
void AnimateFrames(HDC dc, const SingleSettings& settings) {
  const Motion motion = static_cast<Motion>(settings.motion);
  FramePacer pacer;
  StartPacing(&pacer, static_cast<uint32_t>(settings.stepsPerSecond));
  DWORD clockLookedAt = GetTickCount();
  while (Running()) {
    int32_t due = TakeDueSteps(&pacer);
    if (due == 0) {
      WaitForNextStep(&pacer);
      continue;
    }
    for (int32_t step = 0; step < due; ++step) {
      if (step > 0) FinishStep();
      AddSpinSteps(&AngleX, &AngleY, &AngleZ);
      SwayStep = SwayStep + 1 < SwayCycle ? SwayStep + 1 : 0;
    }
    if (Time == TimeDisplay::Now && GetTickCount() - clockLookedAt >= ClockLookMs) {
      clockLookedAt = GetTickCount();
      ShowTime(TimeNow(), settings);
    }
    DrawFrame(settings.userScale, motion);
    FinishStep();
    // Measured with bench/pace.sh (Wine, software GL): without the wait for the drawing to end the
    // saver took more of the processor at the default speed and drew a fifth fewer frames unpaced.
    glFinish();
    SwapBuffers(dc);
  }
  EndPacing(&pacer);
}

void TeardownScene(HDC dc) {
  glDeleteLists(GlyphListBase, GlyphCount);
  glDeleteLists(TimeListBase, TimeCharacterCount);  // names without lists are passed over
  HGLRC context = wglGetCurrentContext();
  if (PaletteHandle) {
    DeleteObject(SelectPalette(dc, PreviousPalette, FALSE));
    PaletteHandle = nullptr;
  }
  wglMakeCurrent(nullptr, nullptr);
  if (context) wglDeleteContext(context);
}

DWORD WINAPI RenderThreadMain(LPVOID parameter) {
  SaverStateRecord* state = static_cast<SaverStateRecord*>(parameter);
  HDC dc = GetDC(state->ChildWindow);
  SingleSettings settings;
  if (!SetupScene(dc, state->SettingsKey, state->Text, &settings)) {
    // Give back what set-up got before it failed (context, palette); no lists were kept.
    TeardownScene(dc);
    if (dc) ReleaseDC(state->ChildWindow, dc);
    return 0;
  }
  ReadSettings(state->SettingsKey, SettingGroup::Motion, &settings);
  TextMiddle = GlyphTextCentre();
  Time = static_cast<TimeDisplay>(settings.timeDisplay);
  if (Time != TimeDisplay::None) ShowTime(Time == TimeDisplay::Left ? state->LeftAt : TimeNow(), settings);
  if (static_cast<uint32_t>(settings.stepsPerSecond) != UnpacedSteps) SyncSwapsToDisplay(dc);
  AnimateFrames(dc, settings);
  TeardownScene(dc);
  if (dc) ReleaseDC(state->ChildWindow, dc);
  return 1;
}
