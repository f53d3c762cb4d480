// The render thread's stop as the main thread sees it: while it waits, the main thread serves what
// the render thread sends it (as its MoveWindow does) and otherwise sleeps, a second at most.
#include "render/render_thread.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include <gtest/gtest.h>

namespace {

struct StandIn {
  HWND window;     // of the main thread
  HANDLE release;  // null: the thread ends once its message is served
};

// A stand-in render thread: sends a message to the main thread's window, then ends with 7, or
// waits for its release (a render thread that never comes back from its outlines).
DWORD WINAPI StandInThread(void* parameter) {
  StandIn* standIn = static_cast<StandIn*>(parameter);
  SendMessageA(standIn->window, WM_NULL, 0, 0);
  if (standIn->release) WaitForSingleObject(standIn->release, INFINITE);
  return 7;
}

ULONGLONG ProcessorMs() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto ms = [](FILETIME t) { return (ULONGLONG{t.dwHighDateTime} << 32 | t.dwLowDateTime) / 10000; };
  return ms(kernel) + ms(user);
}

TEST(RenderThreadStop, TheWaitServesTheThreadAndSleepsUntilItEndsOrASecondHasPassed) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  StandIn ending = {window, nullptr};
  SaverRun.RenderThread = CreateThread(nullptr, 0, StandInThread, &ending, 0, nullptr);
  EXPECT_EQ(7u, StopRenderThread()) << "the thread's exit code, once its message was served";
  EXPECT_EQ(nullptr, SaverRun.RenderThread) << "the handle closed";

  StandIn stuck = {window, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = SaverRun.RenderThread = CreateThread(nullptr, 0, StandInThread, &stuck, 0, nullptr);
  // A wait that spins takes a good part of the second for itself (about 400 ms under Wine), one
  // that sleeps next to nothing.
  ULONGLONG before = ProcessorMs();
  EXPECT_EQ(RenderThreadOverdue, StopRenderThread());
  EXPECT_LT(ProcessorMs() - before, StopWaitMs / 10) << "ms of processor time the main thread took while it waited";
  EXPECT_EQ(thread, SaverRun.RenderThread) << "the handle kept";
  SetEvent(stuck.release);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(stuck.release);
  SaverRun.RenderThread = nullptr;
  DestroyWindow(window);
}

}  // namespace
