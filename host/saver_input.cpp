// The saver window's input wherever it arrives (see saver_input.h). Main thread only.
#include "host/saver_input.h"
#include "host/saver_window.h"

bool IsSaverInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_SETCURSOR:
    case WM_SYSCOMMAND:
      return true;
    default:
      return false;
  }
}

LRESULT HandToSaverWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  return HostSaverWindowProc(SaverWindowHandle, message, wParam, lParam);
}
