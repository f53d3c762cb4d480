// Test host windows for the renderer (test code; main thread).
#include "tests/host/render_host.h"
#include "render/render_thread.h"
#include "render/scene.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <string.h>

namespace {

HWND ParentWindow = nullptr;
HWND GlWindow = nullptr;
bool ThreadStarted = false;
DWORD ThreadExitCode = STILL_ACTIVE;

LRESULT CALLBACK GlHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OpenSettingsKeyForRead();
      memcpy(SaverState.Text, SaverState.DefaultText, sizeof SaverState.Text);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      if (!ThreadStarted) {
        ThreadStarted = true;
        StartRenderThread();
      }
      EndPaint(window, &ps);
      return 0;
    }
    case WM_SIZE:
      ResizeViewport(window);
      return 0;
    case WM_DESTROY:
      ThreadExitCode = StopRenderThread();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND OpenRenderHost(HostShape shape, int saverWidth, int saverHeight) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA glClass = {};
  glClass.style = CS_HREDRAW | CS_VREDRAW;
  glClass.lpfnWndProc = GlHostProc;
  glClass.hInstance = instance;
  glClass.lpszClassName = "VorluxTestGlHost";
  RegisterClassA(&glClass);
  WNDCLASSA parentClass = {};
  parentClass.lpfnWndProc = DefWindowProcA;
  parentClass.hInstance = instance;
  parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  parentClass.lpszClassName = "VorluxTestSaverHost";
  RegisterClassA(&parentClass);

  ThreadStarted = false;
  ThreadExitCode = STILL_ACTIVE;
  SaverState.SaverWidth = saverWidth;
  SaverState.SaverHeight = saverHeight;
  SaverState.ChildWidth = static_cast<int32_t>(saverWidth * 0.6666666666666666);
  SaverState.ChildHeight = static_cast<int32_t>(saverHeight * 0.6666666666666666);

  if (shape == HostShape::Child) {
    ParentWindow = CreateWindowExA(0, "VorluxTestSaverHost", "Screen Saver",
                                   WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, saverWidth,
                                   saverHeight, nullptr, nullptr, instance, nullptr);
    if (!ParentWindow) return nullptr;
    GlWindow = CreateWindowExA(0, "VorluxTestGlHost", "GLWindow", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                               0, SaverState.ChildWidth, SaverState.ChildHeight, ParentWindow, nullptr, instance,
                               nullptr);
  } else {
    ParentWindow = nullptr;
    GlWindow = CreateWindowExA(0, "VorluxTestGlHost", "GLWindow", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                               0, SaverState.ChildWidth, SaverState.ChildHeight, nullptr, nullptr, instance,
                               nullptr);
  }
  SaverState.ChildWindow = GlWindow;
  if (!GlWindow) return nullptr;
  ShowWindow(GlWindow, SW_SHOW);
  UpdateWindow(GlWindow);
  return GlWindow;
}

void PumpMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  } while (GetTickCount() - start < milliseconds);
}

DWORD CloseRenderHost() {
  if (GlWindow) DestroyWindow(GlWindow);
  if (ParentWindow) DestroyWindow(ParentWindow);
  GlWindow = ParentWindow = nullptr;
  SaverState.ChildWindow = nullptr;
  return ThreadExitCode;
}
