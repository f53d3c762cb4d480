// The saver window's procedure on the program's side, and the GL child window: it opens the
// settings key, starts the render thread on its first paint, forwards input to the host, and on
// destruction stops the render thread and waits for it, for a bounded time. Main thread only.
#include "render/gl_window.h"
#include "host/away.h"
#include "host/host_state.h"
#include "host/saver_input.h"
#include "host/saver_window.h"
#include "render/animation.h"
#include "render/clock.h"
#include "render/render_thread.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <string.h>

SaverRunRecord SaverRun;

static int32_t ChildCreated = 0;   // the saver window's first paint has tried to create the child
static int32_t ThreadStarted = 0;  // the child's first paint has tried to start the render thread

void (*EndRunNow)(int32_t result) = EndSaverRunNow;

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      StartSaverState();
      return DefaultSaverProc(window, message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      if (!ChildCreated) {
        RECT rect;
        GetWindowRect(window, &rect);
        SaverRun.SaverWidth = rect.right - rect.left;
        SaverRun.SaverHeight = rect.bottom - rect.top;
        ChildCreated = 1;
        if (!CreateGlWindow(HostInstance, window)) {
          EndPaint(window, &ps);
          return 0;
        }
      }
      EndPaint(window, &ps);
      return DefaultSaverProc(window, message, wParam, lParam);
    }
    case WM_DESTROY:
      // The host has asked the loop to end; the child asks again once it has stopped the render
      // thread, whose wait may have taken that request.
      if (SaverRun.ChildWindow) DestroyWindow(SaverRun.ChildWindow);
      return 0;
    default:
      return DefaultSaverProc(window, message, wParam, lParam);
  }
}

int CreateGlWindow(HINSTANCE instance, HWND saverWindow) {
  WNDCLASSA glClass = {};
  glClass.style = CS_HREDRAW | CS_VREDRAW;
  glClass.lpfnWndProc = GlWindowProc;
  glClass.hInstance = instance;
  glClass.lpszClassName = SaverState.ClassName;
  if (!RegisterClassA(&glClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return 0;
  SaverRun.ChildWidth = ChildExtent(SaverRun.SaverWidth);
  SaverRun.ChildHeight = ChildExtent(SaverRun.SaverHeight);
  const DWORD style = (saverWindow ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  SaverRun.ChildWindow = CreateWindowExA(0, SaverState.ClassName, SaverState.WindowTitle, style, 0, 0,
                                         SaverRun.ChildWidth, SaverRun.ChildHeight, saverWindow, nullptr, instance,
                                         nullptr);
  if (!SaverRun.ChildWindow) return 0;
  ShowWindow(SaverRun.ChildWindow, SW_SHOW);
  UpdateWindow(SaverRun.ChildWindow);  // the first paint: the render thread starts now
  return 1;
}

LRESULT CALLBACK GlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      OpenSettingsKeyForRead();
      // An away run shows its own word; any other the selected one, which the set-up reads.
      const bool away = AwayRun.word != 0;
      memcpy(SaverRun.Text, away ? AwayRun.text : SaverState.DefaultText, sizeof SaverRun.Text);
      SaverRun.TextChosen = away;
      // The saver has started: the last input before now is when the user left; an away run
      // starts when the user leaves.
      SaverRun.LeftAt = TimeUserLeft(PreviewMode != 0 || away);
      ThreadStarted = 0;
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      if (!ThreadStarted) {
        ThreadStarted = 1;
        StartRenderThread();
      }
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      // A thread that does not come back in time (still building its outlines) must not keep a
      // full-screen window that no longer answers: the run ends here, as it would have ended.
      if (StopRenderThread() == RenderThreadOverdue) EndRunNow(0);
      CloseSettingsKey();  // the thread read through it
      PostQuitMessage(0);  // again: the wait for the thread may have served the host's
      return 0;
    default:
      // Input and activation over the child are the saver window's: the host decides on closing.
      if (IsSaverInput(message)) return HandToSaverWindow(message, wParam, lParam);
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
