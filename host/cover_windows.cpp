// The black cover windows over the other monitors: one per monitor, exactly its rectangle, kept
// in step with the monitors. Input over a cover is the saver window's input. Main thread only.
#include "host/cover_windows.h"
#include "host/host_state.h"
#include "host/monitor_covers.h"
#include "host/saver_input.h"
#include "host/system.h"

static HWND CoverWindows[MaxMonitors];
static int32_t CoverCount = 0;
static ATOM CoverClass = 0;
// Set when the covers go with the saver window. Its destruction still serves messages while it
// waits for the render thread, and a display change then (a monitor powering down) would make new
// covers that nothing destroys.
static bool CoversEnded = false;

struct MonitorList {
  ScreenRect rects[MaxMonitors];
  int32_t count;
};

static BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM param) {
  MonitorList* list = reinterpret_cast<MonitorList*>(param);
  list->rects[list->count++] = {rect->left, rect->top, rect->right, rect->bottom};
  return list->count < MaxMonitors;
}

static HWND CreateCoverWindow() {
  if (!CoverClass) {
    WNDCLASSA coverClass = {};
    coverClass.lpfnWndProc = CoverWindowProc;
    coverClass.hInstance = HostInstance;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = CoverClassName;
    CoverClass = RegisterClassA(&coverClass);
    if (!CoverClass) return nullptr;
  }
  // A tool window has no taskbar button; not owned by the saver window, since an owned window
  // always stays in front of its owner and a cover must stay behind it.
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CoverClassName, "", WS_POPUP, 0, 0,
                         0, 0, nullptr, nullptr, HostInstance, nullptr);
}

void PlaceCoverWindows(HWND saverWindow) {
  if (CoversEnded) return;
  // Windows 95 and NT 4 know one monitor only and have no EnumDisplayMonitors: no covers there.
  using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
  EnumDisplayMonitorsFn enumerate =
      ProcAddress<EnumDisplayMonitorsFn>(GetModuleHandleA("USER32.DLL"), "EnumDisplayMonitors");
  MonitorList monitors = {};
  if (enumerate) enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  RECT saver;
  GetWindowRect(saverWindow, &saver);
  ScreenRect covers[MaxMonitors];
  int32_t wanted = MonitorCovers(monitors.rects, monitors.count, {saver.left, saver.top, saver.right, saver.bottom},
                                 covers, MaxMonitors);
  while (CoverCount > wanted) DestroyWindow(CoverWindows[--CoverCount]);
  for (int32_t i = 0; i < wanted; ++i) {
    if (i == CoverCount) {
      if (!(CoverWindows[i] = CreateCoverWindow())) return;
      ++CoverCount;
    }
    const ScreenRect& rect = covers[i];
    SetWindowPos(CoverWindows[i], saverWindow, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void DestroyCoverWindows() {
  CoversEnded = true;
  while (CoverCount > 0) DestroyWindow(CoverWindows[--CoverCount]);
}

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A click is a close request, not a move of the activation away from the saver window.
      return MA_NOACTIVATE;
    case WM_CLOSE:
      // Covers come and go with the saver window only.
      return 0;
    default:
      if (IsSaverInput(message)) return HandToSaverWindow(message, wParam, lParam);
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
