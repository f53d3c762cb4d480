// The saver window, its class procedure and default handling, and the run's message loop.
// Main thread only; the render thread touches none of this.
#include "host/saver_window.h"
#include "host/away.h"
#include "host/cover_windows.h"
#include "host/host_state.h"
#include "host/saver_input.h"
#include "host/system.h"
#include "host/password.h"
#include "resources/resource.h"
#include <stdlib.h>

HWND SaverWindowHandle = nullptr;
int32_t PreviewMode = 0;

// How often the message loop looks whether the saver window is still there.
constexpr UINT WindowWatchMs = 250;

static POINT MouseReference;
static HMODULE ImeModule = nullptr;
using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);
static ImmAssociateContextFn ImeAssociateFn = nullptr;
static HANDLE SavedInputContext = nullptr;

// Serves the thread's messages until the quit request and returns its wParam, or 0 when the saver
// window went without one. A preview's window can go so: when the parent is destroyed while the
// window is being made, the system takes it along unseen and no quit request ever comes. A thread
// timer wakes the loop now and then to look. For its own windows IsWindow answers from the
// process's own records, which miss exactly that case, so the parent, another process's window,
// is asked too.
static WPARAM RunMessageLoop(HWND parent) {
  UINT_PTR watch = SetTimer(nullptr, 0, WindowWatchMs, nullptr);
  MSG msg = {};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    if (!IsWindow(SaverWindowHandle) || (parent && !IsWindow(parent))) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  KillTimer(nullptr, watch);
  return got == 0 ? msg.wParam : 0;
}

int32_t RunSaver(HWND parent) {
  WNDCLASSA saverClass = {};
  saverClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  saverClass.lpfnWndProc = HostSaverWindowProc;
  saverClass.hInstance = HostInstance;
  saverClass.hIcon = LoadIconA(HostInstance, MAKEINTRESOURCEA(IDI_VORLUX));
  saverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  saverClass.lpszClassName = SaverClassName;

  DWORD exStyle, style;
  const char* title;
  int width, height;
  if (parent) {
    RECT client;
    GetClientRect(parent, &client);
    width = client.right;
    height = client.bottom;
    exStyle = 0;
    style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    title = PreviewTitle;
    PreviewMode = 1;
  } else {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    exStyle = WS_EX_TOPMOST;
    style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    title = FullScreenTitle;
    if (BringRunningSaverForward()) return 0;
    LoadPasswordVerifier();
  }

  if (RegisterClassA(&saverClass))
    SaverWindowHandle = CreateWindowExA(exStyle, SaverClassName, title, style, 0, 0, width, height, parent,
                                        nullptr, HostInstance, nullptr);
  // Without a window nothing ran: that is a failure, not the 0 of a normal run.
  int32_t result = -1;
  if (SaverWindowHandle) {
    if (!PreviewMode) {
      PlaceCoverWindows(SaverWindowHandle);
      SetForegroundWindow(SaverWindowHandle);
    }
    result = static_cast<int32_t>(RunMessageLoop(parent));
  }
  if (!ConsumerPlatform && SaverWindowHandle) DestroyWindow(SaverWindowHandle);
  UnloadPasswordVerifier();
  return result;
}

bool BringRunningSaverForward() {
  HWND running = FindWindowA(SaverClassName, FullScreenTitle);
  if (!running || !IsWindow(running)) return false;
  SetForegroundWindow(running);
  return true;
}

void EndSaverRunNow(int32_t result) {
  UnloadPasswordVerifier();
  // Not ExitProcess: it would run the libraries' detach code, which can wait for a lock that the
  // abandoned render thread holds inside the GL driver.
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
}

static void DetachInputMethod(HWND window) {
  // Looked up among the modules already loaded (USER32 loads the system's), never loaded, so a
  // file of that name beside the program is never taken by this. Not by the system folder's path:
  // a 32-bit saver on 64-bit Windows has it from SysWOW64, which that path need not match.
  ImeModule = GetModuleHandleA("IMM32.DLL");
  if (!ImeModule) return;
  ImeAssociateFn = ProcAddress<ImmAssociateContextFn>(ImeModule, "ImmAssociateContext");
  if (ImeAssociateFn) SavedInputContext = ImeAssociateFn(window, nullptr);
}

LRESULT CALLBACK HostSaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DetachInputMethod(window);
      GetCursorPos(&MouseReference);
      AwayRun.shownAt = GetTickCount();
      if (!PreviewMode) SetCursor(nullptr);
      break;
    case WM_DESTROY:
      if (ImeModule && ImeAssociateFn && SavedInputContext) ImeAssociateFn(window, SavedInputContext);
      EndLockWait(window);
      DestroyCoverWindows();
      PostQuitMessage(0);
      break;
    case WM_DISPLAYCHANGE:
      // A monitor added, removed or resized: the covers follow at once.
      if (!PreviewMode) PlaceCoverWindows(window);
      break;
    case WM_SETTEXT:
      return 0;
    case WM_PAINT:
      if (CloseAllowed) return DefWindowProcA(window, message, wParam, lParam);
      if (!PreviewMode) SetCursor(nullptr);
      break;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (PreviewMode) {
        // The preview's owner (the display settings) shows its own help and menu.
        HWND owner = GetParent(window);
        if (owner && IsWindow(owner)) PostMessageA(owner, message, reinterpret_cast<WPARAM>(owner), lParam);
        return 1;
      }
      break;
    case WM_SYSCOMMAND:
      if (!PreviewMode && (wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_SCREENSAVE)) return 0;
      break;
    case WM_TIMER:
      if (CloseAllowed) return 0;
      Sleep(0);
      break;
    default:
      if (IsSaverInput(message) && CloseAllowed) return DefWindowProcA(window, message, wParam, lParam);
      break;
  }
  return SaverWindowProc(window, message, wParam, lParam);
}

static void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// Input that ends the run: at once, or once the session is locked (an away run).
static void CloseOnInput(HWND window) {
  if (!LockDefersClose(window)) PostClose(window);
}

LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (PreviewMode || CloseAllowed) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_CLOSE) {
    if (ConsumerPlatform && !MayCloseSaver(window)) {
      GetCursorPos(&MouseReference);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == VerifyPasswordRequest) {
    if (ConsumerPlatform) return AnswerPasswordRequest(window);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (CheckInProgress) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam) SetCursor(nullptr);
      break;
    case WM_ACTIVATEAPP:
      if (!wParam) CloseOnInput(window);
      break;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!AwayInputGraced()) CloseOnInput(window);
      break;
    case WM_MOUSEMOVE: {
      // The cursor's screen position, never lParam: movement counts alike over the saver window
      // and over the GL child, and a window moving under a still cursor is no movement.
      POINT now;
      GetCursorPos(&now);
      uint32_t moved = static_cast<uint32_t>(abs(now.x - MouseReference.x) + abs(now.y - MouseReference.y));
      if (AwayInputGraced()) {
        MouseReference = now;  // after the grace, movement counts from where the mouse was left
      } else if (moved > MouseMoveThreshold) {
        CloseOnInput(window);
        MouseReference = now;
      }
      break;
    }
    case WM_TIMER:
    case WM_WTSSESSION_CHANGE:
      if (LockReported(window, message, wParam)) PostClose(window);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
