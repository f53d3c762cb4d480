// The renderer's test host (test code; main thread).
#include "tests/host/render_host.h"
#include "render/animation.h"
#include "render/gl_window.h"
#include "render/render_thread.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

HWND ParentWindow = nullptr;
bool StopOverdue = false;

// Where the saver would end its process at once: the host goes on, and its close tells.
void NoteOverdueStop(int32_t) { StopOverdue = true; }

}  // namespace

HWND OpenRenderHost(HostShape shape, int saverWidth, int saverHeight) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EndRunNow = NoteOverdueStop;
  StopOverdue = false;
  SaverState.SaverWidth = saverWidth;
  SaverState.SaverHeight = saverHeight;
  if (shape == HostShape::Child) {
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = DefWindowProcA;
    parentClass.hInstance = instance;
    parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    parentClass.lpszClassName = "VorluxTestSaverHost";
    RegisterClassA(&parentClass);
    ParentWindow = CreateWindowExA(0, parentClass.lpszClassName, "Screen Saver",
                                   WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, saverWidth,
                                   saverHeight, nullptr, nullptr, instance, nullptr);
    if (!ParentWindow || !CreateGlWindow(instance, ParentWindow)) return nullptr;
    return SaverState.ChildWindow;
  }
  WNDCLASSA glClass = {};
  glClass.style = CS_HREDRAW | CS_VREDRAW;
  glClass.lpfnWndProc = GlWindowProc;
  glClass.hInstance = instance;
  glClass.lpszClassName = "VorluxTestGlWindow";
  RegisterClassA(&glClass);
  SaverState.ChildWidth = ChildExtent(saverWidth);
  SaverState.ChildHeight = ChildExtent(saverHeight);
  SaverState.ChildWindow = CreateWindowExA(0, glClass.lpszClassName, SaverState.WindowTitle,
                                           WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, SaverState.ChildWidth,
                                           SaverState.ChildHeight, nullptr, nullptr, instance, nullptr);
  if (!SaverState.ChildWindow) return nullptr;
  ShowWindow(SaverState.ChildWindow, SW_SHOW);
  UpdateWindow(SaverState.ChildWindow);
  return SaverState.ChildWindow;
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
  // The stop closes the thread's handle: a copy of it tells the exit code.
  HANDLE thread = nullptr;
  if (SaverState.RenderThread)
    DuplicateHandle(GetCurrentProcess(), SaverState.RenderThread, GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  if (SaverState.ChildWindow) DestroyWindow(SaverState.ChildWindow);
  if (ParentWindow) DestroyWindow(ParentWindow);
  SaverState.ChildWindow = ParentWindow = nullptr;
  // The GL window's destruction asks the saver's message loop to end; the host has none.
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  // The GL window opened the settings key for the thread and keeps it for the rest of the saver's
  // process: the host, which opens one GL window after another, gives it back here.
  CloseSettingsKey();
  DWORD code = STILL_ACTIVE;
  if (thread) {
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
  }
  return StopOverdue ? RenderThreadOverdue : code;
}
