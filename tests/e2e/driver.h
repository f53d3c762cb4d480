// The end-to-end driver's shared helpers: a fresh folder per test holding the program and its
// doubles, launching the saver and awaiting its end, finding its windows, a window of the driver's
// own, real input, the registry, and the frame grabber's output. Main thread of the driver only.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include "tests/win/frames.h"  // the frame grabber's output: SwapCount, ReadFrame, ForgetFrames
#include "tests/win/registry.h"
#include <stdint.h>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD Running = STILL_ACTIVE;      // what WaitForExit returns while the process runs
constexpr DWORD NoUsableMode = 0xFFFFFFFFu;  // the exit code of the result -1
constexpr const char* SaverClass = "WindowsScreenSaverClass";
constexpr const char* GlClass = "GLWindowClass";
constexpr const char* CoverClass = "VorluxMonitorCover";  // the black windows over the other monitors
constexpr const char* TestKey = "Software\\VorluxTest";  // where the doubles read and record
constexpr DWORD CloseTimeMs = 2000;                       // input to process end, at most

// A launched program. Terminated on destruction if still running, so a failing test leaves
// nothing behind for the next launch.
class Process {
 public:
  Process() = default;
  Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();
  bool Started() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  // The exit code once the process has ended within the time, else Running. Serves this
  // thread's messages meanwhile (a preview's parent window lives here).
  DWORD WaitForExit(DWORD timeoutMs);
  // True when the process is still running after the given time (messages served meanwhile).
  bool SurvivesFor(DWORD milliseconds) { return WaitForExit(milliseconds) == Running; }

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Serves this thread's messages for the given time.
void Pump(DWORD milliseconds);
// Polls the condition (serving messages) until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Windows seen from outside.
std::string ClassOf(HWND window);
std::string TitleOf(HWND window);  // ANSI (code page 932)
// The top-level windows of a class, of one process (0: of every process).
std::vector<HWND> TopLevelWindows(const char* className, DWORD processId = 0);
// The first top-level window of the class in the process, waited for.
HWND WaitForTopLevel(const Process& process, const char* className, DWORD timeoutMs = 10000);
// The first child window of the class, waited for.
HWND WaitForChild(HWND parent, const char* className, DWORD timeoutMs = 10000);
// The window's rectangle in its parent's client coordinates (screen coordinates for a top-level).
RECT RectInParent(HWND window);
std::string Describe(const RECT& rect);  // "(left,top)-(right,bottom)"
// The screen in the rectangle (virtual-screen coordinates) as the X server shows it: Wine reads
// the screen from X, so this sees every program's windows. 24-bit BGR rows, bottom-up, each
// padded to ScreenRowBytes, as in a BMP file.
std::vector<uint8_t> ScreenBits(const RECT& rect);
inline size_t ScreenRowBytes(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }
// The pixels that are not black in the rectangle of the screen.
int LitPixelsOnScreen(const RECT& rect);

// A visible top-level pop-up of the driver with the given client size, noting the context-menu
// requests it receives. Destroyed with the object unless Destroy() ran first.
class DriverWindow {
 public:
  DriverWindow(int x, int y, int clientWidth, int clientHeight);
  ~DriverWindow() { Destroy(); }
  HWND Handle() const { return handle_; }
  void Destroy();
  int contextMenus = 0;  // WM_CONTEXTMENU messages received
  WPARAM contextMenuWParam = 0;
  LPARAM contextMenuLParam = 0;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

// Real input, as the user would give it: cursor moves, keys and buttons through the system's
// input queue, routed by the system to the foreground window or the window under the cursor.
void MoveCursor(int x, int y);  // moves the real pointer and waits until the system sees it there
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void MouseInput(DWORD mouseEventFlags, DWORD data = 0);  // MOUSEEVENTF_LEFTDOWN and the like, at the cursor
// True when the process's saver draws ten more frames and is still running after them.
bool KeepsDrawing(Process& process);
// Presses a key, held while the saver closes, then releases it; returns the exit code once the
// process has ended within CloseTimeMs, else Running.
DWORD ExitCodeAfterKey(Process& process, WORD virtualKey = VK_SPACE);

// What the doubles recorded under TestKey (0 when nothing).
inline DWORD DoubleRecord(const char* name) { return GetNumber(TestKey, name, 0); }
// A window handle as the doubles record it: its low 32 bits.
inline DWORD Low32(HWND window) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(window)); }

// The system's screen-saver-running state, as Wine keeps it (a volatile value, written by
// SystemParametersInfo without SPIF_UPDATEINIFILE): 1 or 0, or -1 while it was never set.
int ScreenSaverRunningState();

// Each test starts from a deleted settings key, an empty test key, the cursor parked at Parked
// (over the saver window, away from the GL child) and a fresh folder C:\e2e\<test> holding the
// program; launches run there, as Windows would run a .scr from its folder.
class SaverTest : public testing::Test {
 public:
  // A full-screen run: the process, its saver window and GL child.
  struct FullScreenRun {
    Process process;
    HWND saver = nullptr;
    HWND child = nullptr;
  };

 protected:
  static constexpr POINT Parked = {1000, 740};
  static constexpr POINT OverChild = {300, 250};  // inside the GL child for its first 25 steps

  void SetUp() override;
  // Copies a build output (E2E_SAVER, E2E_FAULT_SAVER, a double) into the folder as `name`.
  void Install(const char* unixPath, const char* name);
  // The doubles of the system's components go where the program loads those from: the system
  // folder.
  void InstallPasswordDouble();
  void InstallMprDouble();
  void InstallHtmlHelpDouble();
  // Copies a build output into the system folder as `name`.
  void InstallInSystemFolder(const char* unixPath, const char* name);
  // Wine has DLLs of its own for some system components (MPR.DLL, hhctrl.ocx); for the program a
  // real file of that name then comes first ("mpr", "hhctrl.ocx").
  void PreferNativeDll(const char* dll);
  // Makes Wine report a Windows version (winecfg's names: "win98", "winxp64", "win10") to the
  // program of that name; UseConsumerPlatform reports Windows 98.
  void UseWindowsVersion(const char* version, const char* program = "vorlux.scr");
  void UseConsumerPlatform(const char* program = "vorlux.scr") { UseWindowsVersion("win98", program); }
  // The command line Windows would use: the quoted full path of the program, then the tail.
  std::string CommandLine(const std::string& tail, const char* program = "vorlux.scr") const;
  // With a locale (for example "en_US.UTF-8"), the program runs under the ANSI code page and display
  // language that Wine takes from it, as on a Windows of that language: a Wine of its own started
  // from Unix, in this prefix, whose process is then found by the program's name. A locale with
  // "=" names the variables themselves ("LANG=en_US.UTF-8 LC_CTYPE=ja_JP.UTF-8": code page 932
  // with an English display language).
  // With `relayTrace`, a Unix path, the program runs under Wine's relay trace, which goes to that file
  // (RelayInclude under HKCU\Software\Wine\Debug says what it traces): also from Unix, since Wine
  // writes its traces to the standard error it was started with.
  Process Launch(const std::string& commandLine, const char* locale = nullptr, const char* relayTrace = nullptr);
  Process LaunchSaver(const std::string& tail, const char* locale = nullptr) {
    return Launch(CommandLine(tail), locale);
  }

  // Launches the command line and waits for the saver window, its GL child and `swaps` frames
  // (fatal failures when they do not come).
  void StartFullScreen(const std::string& commandLine, FullScreenRun* run, uint64_t swaps = 10,
                       const char* locale = nullptr);
  // The test build's full-screen run whose outline service never returns ("/s stuck"), so that its
  // render thread never comes back: waits for the saver window and the GL child.
  void StartStuckSaver(FullScreenRun* run);

  std::string folder_;
};

}  // namespace e2e
