// The render thread and its frame loop. Everything here runs on the render thread, except the
// starting and stopping of it and the run flag, which the main thread calls.
#include "render/render_thread.h"
#include "render/animation.h"
#include "render/clock.h"
#include "render/frame_pacer.h"
#include "render/glyphs.h"
#include "render/motion.h"
#include "render/saver_run.h"
#include "render/scene.h"
#include "settings/store.h"
#include <GL/gl.h>
#include <atomic>

// 1 while the render thread is to keep drawing. Written by the main thread, read by the render
// thread once per frame. A plain int shared between threads would be a data race (the compiler
// may keep it in a register); a relaxed atomic compiles to the same aligned load and store on
// x86 with defined behaviour, and no ordering beyond that is needed.
static std::atomic<int32_t> RunFlag{0};

// The time now is looked at this often, so a new minute shows within a second.
constexpr DWORD ClockLookMs = 250;

void StartRenderer(Renderer* renderer) {
  *renderer = Renderer{};
  renderer->angleX = StartAngleX;
  renderer->angleY = StartAngleY;
  renderer->angleZ = StartAngleZ;
  renderer->dirX = renderer->dirY = +1;
  renderer->shownMinute = -1;
}

void SetRunFlag() { RunFlag.store(1, std::memory_order_relaxed); }
void ClearRunFlag() { RunFlag.store(0, std::memory_order_relaxed); }

void StartRenderThread() {
  SetRunFlag();
  DWORD threadId;  // not used, but Windows 95 to Me fail the call without a place for it
  SaverRun.RenderThread = CreateThread(nullptr, 0, RenderThreadMain, &SaverRun, 0, &threadId);
  if (SaverRun.RenderThread) SetThreadPriority(SaverRun.RenderThread, THREAD_PRIORITY_BELOW_NORMAL);
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
  HANDLE thread = SaverRun.RenderThread;
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
    SaverRun.RenderThread = nullptr;
  }
  return exitCode;
}

static bool Running() { return RunFlag.load(std::memory_order_relaxed) == 1; }

// MoveWindow on a window of the main thread: carried out there while this thread waits.
static void StepChildWindow(Renderer& r) {
  StepAxis(&r.posX, &r.dirX, SaverRun.ChildWidth, SaverRun.SaverWidth);
  StepAxis(&r.posY, &r.dirY, SaverRun.ChildHeight, SaverRun.SaverHeight);
  MoveWindow(SaverRun.ChildWindow, r.posX, r.posY, SaverRun.ChildWidth, SaverRun.ChildHeight, TRUE);
}

// The second half of an animation step, after it has been drawn (or at once when another step
// follows before the next frame): the angles wrap, and on an X wrap the child window steps.
static void FinishStep(Renderer& r) {
  if (WrapSpinAngles(&r.angleX, &r.angleY, &r.angleZ)) StepChildWindow(r);
}

// The time line of a time (a FILETIME in UTC) on the local clock, when its minute is not the one
// shown: other lists, and the block laid out anew.
static void RebuildTimeLine(Renderer& r, uint64_t utc) {
  int hour, minute;
  if (!LocalHourMinute(utc, &hour, &minute) || hour * 60 + minute == r.shownMinute) return;
  r.shownMinute = hour * 60 + minute;
  int16_t glyphs[MaxTimeGlyphs];
  int32_t count = TimeLineGlyphs(hour, minute, r.timeDisplay, glyphs);
  for (int32_t i = 0; i < count; ++i) r.timeLists[i] = static_cast<int16_t>(TimeListBase - GlyphListBase + glyphs[i]);
  r.block = GlyphBlock(r.glyphs, glyphs, count, r.settings.extrusion, r.settings.userScale);
  r.timeListCount = count;
}

static void DrawFrame(const Renderer& r) {
  const bool withTime = r.timeListCount > 0;
  const float scale = r.settings.userScale;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  if (static_cast<Motion>(r.settings.motion) == Motion::FaceTheRoom) {
    SwayAngles sway = SwayAt(r.swayStep);
    glRotatef(sway.x, 1.0f, 0.0f, 0.0f);
    glRotatef(sway.y, 0.0f, 1.0f, 0.0f);
    glRotatef(sway.z, 0.0f, 0.0f, 1.0f);
    // Word and time turn about the block's middle, at a scale that keeps the block in the window.
    float blockScale = withTime ? r.block.readableScale : scale;
    TextPoint middle = withTime ? r.block.middle : r.textMiddle;
    glScalef(blockScale, blockScale, blockScale);
    glTranslatef(-middle.x, -middle.y, 0.0f);
  } else {
    glRotatef(r.angleX, 1.0f, 0.0f, 0.0f);
    glRotatef(r.angleY, 0.0f, 1.0f, 0.0f);
    glRotatef(r.angleZ, 0.0f, 0.0f, 1.0f);
    glScalef(scale, scale, scale);
  }
  if (withTime) {
    // Each list moves the origin on by its advance: the time line starts from the word's origin.
    glPushMatrix();
    glCallLists(r.glyphs.count, GL_SHORT, r.glyphs.indexes);
    glPopMatrix();
    glTranslatef(r.block.timeOrigin.x, r.block.timeOrigin.y, 0.0f);
    glScalef(TimeLineSize, TimeLineSize, TimeLineSize);
    glCallLists(r.timeListCount, GL_SHORT, r.timeLists);
  } else {
    glCallLists(r.glyphs.count, GL_SHORT, r.glyphs.indexes);
  }
  glPopMatrix();
}

// Steps come at the settings' rate whatever the drawing rate; a frame is drawn only when at least
// one is due, after all of them have been taken. Each step is the same as ever: the angles
// advance, then wrap, and the child window steps on an X wrap. The spin angles step in either
// motion, so the window keeps its pace whichever is drawn.
static void AnimateFrames(HDC dc, Renderer& r) {
  FramePacer pacer;
  StartPacing(&pacer, static_cast<uint32_t>(r.settings.stepsPerSecond));
  DWORD clockLookedAt = GetTickCount();
  while (Running()) {
    int32_t due = TakeDueSteps(&pacer);
    if (due == 0) {
      WaitForNextStep(&pacer);
      continue;
    }
    for (int32_t step = 0; step < due; ++step) {
      if (step > 0) FinishStep(r);
      AddSpinSteps(&r.angleX, &r.angleY, &r.angleZ);
      r.swayStep = r.swayStep + 1 < SwayCycle ? r.swayStep + 1 : 0;
    }
    if (r.timeDisplay == TimeDisplay::Now && GetTickCount() - clockLookedAt >= ClockLookMs) {
      clockLookedAt = GetTickCount();
      RebuildTimeLine(r, TimeNow());
    }
    DrawFrame(r);
    FinishStep(r);
    // Measured with bench/pace.sh (Wine, software GL): without the wait for the drawing to end the
    // saver took more of the processor at the default speed and drew a fifth fewer frames unpaced.
    glFinish();
    SwapBuffers(dc);
  }
  EndPacing(&pacer);
}

DWORD WINAPI RenderThreadMain(LPVOID parameter) {
  SaverRunRecord* run = static_cast<SaverRunRecord*>(parameter);
  HDC dc = GetDC(run->ChildWindow);
  Renderer renderer;
  StartRenderer(&renderer);
  if (!SetupScene(dc, SaverState.SettingsKey, run->Text, &renderer)) {
    // Give back what set-up got before it failed (context, palette); no lists were kept.
    TeardownScene(dc, &renderer);
    if (dc) ReleaseDC(run->ChildWindow, dc);
    return 0;
  }
  renderer.textMiddle = GlyphTextCentre(renderer.glyphs);
  renderer.timeDisplay = static_cast<TimeDisplay>(renderer.settings.timeDisplay);
  if (renderer.timeDisplay != TimeDisplay::None)
    RebuildTimeLine(renderer, renderer.timeDisplay == TimeDisplay::Left ? run->LeftAt : TimeNow());
  if (static_cast<uint32_t>(renderer.settings.stepsPerSecond) != UnpacedSteps) SyncSwapsToDisplay(dc);
  AnimateFrames(dc, renderer);
  TeardownScene(dc, &renderer);
  if (dc) ReleaseDC(run->ChildWindow, dc);
  return 1;
}
