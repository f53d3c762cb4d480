// The renderer's test host (test code; main thread).
#include "tests/host/render_host.h"
#include "render/gl_window.h"
#include "render/render_thread.h"
#include "render/saver_run.h"

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
  SaverRun.SaverWidth = saverWidth;
  SaverRun.SaverHeight = saverHeight;
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
    if (!ParentWindow) return nullptr;
  }
  return CreateGlWindow(instance, ParentWindow) ? SaverRun.ChildWindow : nullptr;
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
  if (SaverRun.RenderThread)
    DuplicateHandle(GetCurrentProcess(), SaverRun.RenderThread, GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  if (SaverRun.ChildWindow) DestroyWindow(SaverRun.ChildWindow);
  if (ParentWindow) DestroyWindow(ParentWindow);
  SaverRun.ChildWindow = ParentWindow = nullptr;
  // The GL window's destruction asks the saver's message loop to end; the host has none.
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  DWORD code = STILL_ACTIVE;
  if (thread) {
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
  }
  return StopOverdue ? RenderThreadOverdue : code;
}
