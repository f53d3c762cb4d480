// The preview: the saver as a child of another program's window, which input does not end,
// which hands a right-click to that window, and which ends with it; the handle forms it accepts.
#include "tests/e2e/driver.h"
#include "render/animation.h"
#include <algorithm>
#include <string>

namespace e2e {
namespace {

using Preview = SaverTest;

std::string HandleText(HWND window) { return std::to_string(reinterpret_cast<uintptr_t>(window)); }

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

TEST_F(Preview, RunsInsideTheGivenWindowIgnoresInputAndEndsWithIt) {
  DriverWindow parent(200, 200, 152, 112);  // the size of the display settings' monitor picture
  Process process = LaunchSaver("/p " + HandleText(parent.Handle()));
  HWND preview = WaitForChild(parent.Handle(), SaverClass);
  ASSERT_NE(nullptr, preview) << "no " << SaverClass << " child in the given window within 10 s";
  // The GL child comes with the first paint, when the preview window is complete.
  HWND child = WaitForChild(preview, GlClass);
  ASSERT_NE(nullptr, child) << "no " << GlClass << " in the preview within 10 s";
  EXPECT_EQ("Preview", TitleOf(preview));
  EXPECT_EQ("(0,0)-(152,112)", Describe(RectInParent(preview)));
  EXPECT_TRUE(TopLevelWindows(SaverClass).empty()) << "a full-screen saver window besides the preview";
  RECT rect = RectInParent(child);
  EXPECT_EQ(ChildExtent(152), rect.right - rect.left) << Describe(rect);
  EXPECT_EQ(ChildExtent(112), rect.bottom - rect.top) << Describe(rect);
  ASSERT_TRUE(WaitUntil([] { return SwapCount() >= 10; }, 20000)) << "frames drawn: " << SwapCount();
  EXPECT_EQ(ChildExtent(152), LastSwappedSize().width);
  EXPECT_EQ(ChildExtent(112), LastSwappedSize().height);

  // A real click and movement over the preview; keys and presses sent to it and to its child
  // (real keys would go to the driver's window, which has the focus).
  POINT inside = ScreenPoint(parent.Handle(), 140, 100);
  MoveCursor(inside.x, inside.y);
  MouseInput(MOUSEEVENTF_LEFTDOWN);
  MouseInput(MOUSEEVENTF_LEFTUP);
  MoveCursor(inside.x - 40, inside.y - 40);
  for (HWND target : {preview, child}) {
    PostMessageA(target, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(target, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
  }
  ASSERT_TRUE(KeepsDrawing(process)) << "input ended the preview";
  EXPECT_TRUE(IsWindow(preview));

  parent.Destroy();
  EXPECT_EQ(0u, process.WaitForExit(5000)) << "exit code after the parent window was destroyed";
}

TEST_F(Preview, RightClickAsksTheParentForItsContextMenu) {
  DriverWindow parent(200, 200, 152, 112);
  Process process = LaunchSaver("/p " + HandleText(parent.Handle()));
  HWND preview = WaitForChild(parent.Handle(), SaverClass);
  ASSERT_NE(nullptr, preview);
  ASSERT_NE(nullptr, WaitForChild(preview, GlClass));
  // Once it draws: a click given while its render thread was still setting GL up was now and then
  // lost under Wine (3 runs in 15).
  ASSERT_TRUE(WaitUntil([] { return SwapCount() >= 10; }, 20000)) << "frames drawn: " << SwapCount();

  // The default handling would name the clicked window in wParam; the saver names the parent.
  POINT at = ScreenPoint(parent.Handle(), 140, 100);
  MoveCursor(at.x, at.y);
  MouseInput(MOUSEEVENTF_RIGHTDOWN);
  MouseInput(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([&] { return parent.contextMenus == 1; }, 2000))
      << "WM_CONTEXTMENU messages at the parent: " << parent.contextMenus;
  EXPECT_EQ(reinterpret_cast<WPARAM>(parent.Handle()), parent.contextMenuWParam) << "wParam of WM_CONTEXTMENU";
  EXPECT_EQ(at.x, static_cast<short>(LOWORD(parent.contextMenuLParam))) << "x of the click";
  EXPECT_EQ(at.y, static_cast<short>(HIWORD(parent.contextMenuLParam))) << "y of the click";

  // The same for button messages sent to the preview window itself.
  PostMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostMessageA(preview, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(WaitUntil([&] { return parent.contextMenus == 2; }, 2000))
      << "WM_CONTEXTMENU messages at the parent: " << parent.contextMenus;
  EXPECT_EQ(reinterpret_cast<WPARAM>(parent.Handle()), parent.contextMenuWParam);
  EXPECT_TRUE(KeepsDrawing(process)) << "a right click ended the preview";
}

// P and L alike, with or without a blank before the number; a number of more than ten digits
// wraps modulo 2^32. Each preview is ended by a close request, which it obeys like any window.
TEST_F(Preview, AcceptsItsHandleFormsAndWrapsLongNumbers) {
  DriverWindow parent(200, 200, 152, 112);
  uintptr_t handle = reinterpret_cast<uintptr_t>(parent.Handle());
  ASSERT_LT(handle, 1ull << 32) << "the wrap test needs a handle below 2^32";
  std::string wrapped = std::to_string(handle + 3 * (1ull << 32));
  ASSERT_GT(wrapped.size(), 10u);
  for (const std::string& tail : {"/l " + HandleText(parent.Handle()), "/P" + HandleText(parent.Handle()),
                                  "/p " + wrapped}) {
    SCOPED_TRACE(tail);
    Process process = LaunchSaver(tail);
    HWND preview = WaitForChild(parent.Handle(), SaverClass);
    ASSERT_NE(nullptr, preview) << "no preview in window " << handle;
    ASSERT_NE(nullptr, WaitForChild(preview, GlClass));
    EXPECT_EQ("Preview", TitleOf(preview));
    PostMessageA(preview, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.WaitForExit(5000)) << "exit code after a close request";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(preview); }, 2000));
  }
}

// The display settings may go while the preview is still starting. Whenever the parent goes,
// the saver ends: with 0 once its window existed, with -1 when none was made. The moments follow
// the start from launch to launch: after a start that made its window the parent goes earlier,
// after one that made none later, by a step that doubles while the outcome repeats and starts
// again at 3 ms when it turns. So they gather where the two meet (a window made just as its parent
// went was once taken along unseen, and the saver waited for ever) however long a start takes on
// the machine at the moment; a fixed span around one timed start missed it when that start was
// much slower or faster than the ones after it.
TEST_F(Preview, EndsWhenItsParentGoesAtAnyMomentOfItsStart) {
  DWORD made = 0;
  {
    DriverWindow parent(200, 200, 152, 112);
    DWORD start = GetTickCount();
    Process process = LaunchSaver("/p " + HandleText(parent.Handle()));
    ASSERT_NE(nullptr, WaitForChild(parent.Handle(), SaverClass));
    made = GetTickCount() - start;
    parent.Destroy();
    ASSERT_EQ(0u, process.WaitForExit(5000)) << "exit code after the parent went";
  }
  int ran = 0, none = 0;
  DWORD delay = made, step = 3;
  bool lastMade = false;
  for (int i = 0; i < 40; ++i) {
    DriverWindow parent(200, 200, 152, 112);
    Process process = LaunchSaver("/p " + HandleText(parent.Handle()));
    Pump(delay);  // the saver's window creation notifies the parent, which must answer
    parent.Destroy();
    DWORD code = process.WaitForExit(5000);
    EXPECT_TRUE(code == 0 || code == NoUsableMode)
        << "exit code " << code << " (259: still running 5 s later) when the parent went " << delay
        << " ms after the launch";
    bool windowMade = code == 0;
    (windowMade ? ran : none) += 1;
    step = i > 0 && windowMade == lastMade ? std::min<DWORD>(2 * step, 384) : 3;
    lastMade = windowMade;
    delay = windowMade ? delay - std::min(delay, step) : delay + step;
  }
  EXPECT_TRUE(ran > 0 && none > 0) << "ended with 0: " << ran << ", with -1: " << none << " (window made after "
                                   << made << " ms); the moments missed the start";
}

}  // namespace
}  // namespace e2e
