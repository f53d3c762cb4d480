// The end-to-end driver's shared helpers (see driver.h). Main thread of the driver only.
#include "tests/e2e/driver.h"
#include "tests/host/render_host.h"
#include <tlhelp32.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace e2e {

namespace {

// A Linux path as Wine shows it: drive Z: is the root of the file system.
std::string WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) { other.handle_ = nullptr; }

Process& Process::operator=(Process&& other) noexcept {
  std::swap(handle_, other.handle_);
  std::swap(id_, other.id_);
  return *this;
}

Process::~Process() {
  if (!handle_) return;
  if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(handle_, 0xDEAD);
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
}

DWORD Process::WaitForExit(DWORD timeoutMs) {
  if (!handle_) return Running;
  DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    DWORD left = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
    DWORD woke = MsgWaitForMultipleObjects(1, &handle_, FALSE, left, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) break;
    Pump(0);
    if (woke == WAIT_TIMEOUT || left == 0) return Running;
  }
  DWORD code = Running;
  GetExitCodeProcess(handle_, &code);
  return code;
}

void Pump(DWORD milliseconds) { PumpMessages(milliseconds); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return condition();
    Pump(10);
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TitleOf(HWND window) {
  char title[256] = "";
  // Cross-process: GetWindowText does not send WM_GETTEXT to another process's window.
  GetWindowTextA(window, title, sizeof title);
  return title;
}

std::vector<HWND> TopLevelWindows(const char* className, DWORD processId) {
  struct Search {
    const char* className;
    DWORD processId;
    std::vector<HWND> found;
  } search{className, processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        Search* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((!s->processId || owner == s->processId) && ClassOf(window) == s->className) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForTopLevel(const Process& process, const char* className, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        std::vector<HWND> windows = TopLevelWindows(className, process.Id());
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND WaitForChild(HWND parent, const char* className, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowExA(parent, nullptr, className, nullptr)) != nullptr; }, timeoutMs);
  return found;
}

RECT RectInParent(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  if (HWND parent = GetAncestor(window, GA_PARENT); parent && parent != GetDesktopWindow())
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string Describe(const RECT& rect) {
  char text[96];
  snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
  return text;
}

std::vector<uint8_t> ScreenBits(const RECT& rect) {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory, previous);
  std::vector<uint8_t> pixels;
  if (bits) pixels.assign(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + ScreenRowBytes(width) * height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int LitPixelsOnScreen(const RECT& rect) {
  std::vector<uint8_t> bits = ScreenBits(rect);
  int width = rect.right - rect.left, lit = 0;
  for (size_t row = 0; row + ScreenRowBytes(width) <= bits.size(); row += ScreenRowBytes(width))
    for (int x = 0; x < width; ++x) lit += (bits[row + x * 3] | bits[row + x * 3 + 1] | bits[row + x * 3 + 2]) != 0;
  return lit;
}

DriverWindow::DriverWindow(int x, int y, int clientWidth, int clientHeight) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "VorluxE2eDriverWindow";
  RegisterClassA(&windowClass);  // fails harmlessly from the second window on
  // A pop-up without frame: its client area is the whole window.
  handle_ = CreateWindowExA(0, windowClass.lpszClassName, "driver", WS_POPUP | WS_VISIBLE, x, y, clientWidth,
                            clientHeight, nullptr, nullptr, windowClass.hInstance, this);
  Pump(50);
}

void DriverWindow::Destroy() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
}

LRESULT CALLBACK DriverWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_CONTEXTMENU: {
      DriverWindow* self = reinterpret_cast<DriverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      ++self->contextMenus;
      self->contextMenuWParam = wParam;
      self->contextMenuLParam = lParam;
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void MoveCursor(int x, int y) {
  // Where the user's mouse moves the pointer: on the X server. SetCursorPos would not do: while a
  // full-screen window is in front, Wine confines the X pointer to it and refuses other
  // processes' warps, and 100 ms after the last move it reports the X pointer again, so the
  // saver would see the cursor jump back. Wine starts Unix programs itself (without a handle),
  // so the move is awaited through the cursor position.
  char command[96];
  snprintf(command, sizeof command, "Z:\\usr\\bin\\xdotool mousemove %d %d", x, y);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      << command << ": " << GetLastError();
  if (info.hProcess) CloseHandle(info.hProcess);
  if (info.hThread) CloseHandle(info.hThread);
  POINT at = {};
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&at) && at.x == x && at.y == y; }, 3000))
      << "cursor at (" << at.x << "," << at.y << ") instead of (" << x << "," << y << ")";
}

void KeyDown(WORD virtualKey) {
  keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)), 0, 0);
}

void KeyUp(WORD virtualKey) {
  keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)),
              KEYEVENTF_KEYUP, 0);
}

void MouseInput(DWORD mouseEventFlags, DWORD data) { mouse_event(mouseEventFlags, 0, 0, data, 0); }

bool KeepsDrawing(Process& process) {
  return WaitForSwaps(SwapCount() + 10, 5000) && process.WaitForExit(0) == Running;
}

DWORD ExitCodeAfterKey(Process& process, WORD virtualKey) {
  KeyDown(virtualKey);
  DWORD code = process.WaitForExit(CloseTimeMs);
  KeyUp(virtualKey);
  return code;
}

int ScreenSaverRunningState() {
  DWORD state = GetNumber("Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop",
                          "WINE_ScreenSaverRunning", 0xFFFFFFFFu);
  return state == 0xFFFFFFFFu ? -1 : static_cast<int>(state);
}

void SaverTest::SetUp() {
  DeleteKey(SettingsRoot);
  DeleteKey(TestKey);
  ForgetFrames();
  // Without a window manager (Xvfb) Wine waits 2 s for one to withdraw every hidden managed
  // window, the full-screen saver included; unmanaged windows close at once, as they would
  // under a window manager.
  SetText("Software\\Wine\\X11 Driver", "Managed", "N");
  ASSERT_NO_FATAL_FAILURE(MoveCursor(Parked.x, Parked.y));
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  CreateDirectoryA("C:\\e2e", nullptr);
  folder_ = std::string("C:\\e2e\\") + test->test_suite_name() + "." + test->name();
  ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_ << " (a fresh prefix has no such folder)";
  Install(E2E_SAVER, "vorlux.scr");
}

static void CopyBuildOutput(const char* unixPath, const std::string& target) {
  ASSERT_TRUE(CopyFileA(WinePath(unixPath).c_str(), target.c_str(), FALSE))
      << unixPath << " -> " << target << ": " << GetLastError();
}

void SaverTest::Install(const char* unixPath, const char* name) { CopyBuildOutput(unixPath, folder_ + "\\" + name); }

void SaverTest::InstallInSystemFolder(const char* unixPath, const char* name) {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, sizeof folder);
  std::string target = std::string(folder) + "\\" + name;
  // The prefix's Windows folder is hard links to the template's files: a copy over one would
  // change the template's file too, so the link goes first.
  DeleteFileA(target.c_str());
  CopyBuildOutput(unixPath, target);
}

void SaverTest::PreferNativeDll(const char* dll) {
  SetText("Software\\Wine\\AppDefaults\\vorlux.scr\\DllOverrides", dll, "native,builtin");
}

void SaverTest::InstallPasswordDouble() { InstallInSystemFolder(E2E_PASSWORD_DOUBLE, "PASSWORD.CPL"); }

void SaverTest::InstallMprDouble() {
  InstallInSystemFolder(E2E_MPR_DOUBLE, "MPR.DLL");
  PreferNativeDll("mpr");
}

void SaverTest::InstallHtmlHelpDouble() {
  InstallInSystemFolder(E2E_HHCTRL_DOUBLE, "hhctrl.ocx");
  PreferNativeDll("hhctrl.ocx");
}

void SaverTest::UseWindowsVersion(const char* version, const char* program) {
  std::string path = std::string("Software\\Wine\\AppDefaults\\") + program;
  SetText(path.c_str(), "Version", version);
}

std::string SaverTest::CommandLine(const std::string& tail, const char* program) const {
  std::string line = "\"" + folder_ + "\\" + program + "\"";
  return tail.empty() ? line : line + " " + tail;
}

// The processes of the program named, by id.
static std::vector<DWORD> ProcessesNamed(const char* name) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (_stricmp(entry.szExeFile, name) == 0) found.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return found;
}

Process SaverTest::Launch(const std::string& commandLine, const char* locale, const char* relayTrace) {
  if (locale || relayTrace) {
    // The program's name: the file name of the command line's first, quoted, part.
    std::string program = commandLine.substr(0, commandLine.find('"', 1));
    program = program.substr(program.find_last_of('\\') + 1);
    std::vector<DWORD> before = ProcessesNamed(program.c_str());
    std::string unix;
    if (locale && strchr(locale, '=')) {
      unix = std::string("Z:\\usr\\bin\\env -u LC_ALL ") + locale + " wine " + commandLine;
    } else if (locale) {
      unix = std::string("Z:\\usr\\bin\\env LC_ALL=") + locale + " LANG=" + locale + " wine " + commandLine;
    } else {
      std::string line = commandLine;
      std::replace(line.begin(), line.end(), '"', '\'');
      unix = "Z:\\bin\\sh -c \"WINEDEBUG=-all,+relay exec wine " + line + " 2>" + relayTrace + "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &unix[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup, &info)) {
      ADD_FAILURE() << unix << ": " << GetLastError();
      return Process();
    }
    // Wine starts a Unix program without a handle.
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
    DWORD id = 0;
    WaitUntil([&] {
      for (DWORD candidate : ProcessesNamed(program.c_str()))
        if (std::find(before.begin(), before.end(), candidate) == before.end()) id = candidate;
      return id != 0;
    }, 20000);
    HANDLE handle = id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id) : nullptr;
    if (!handle) ADD_FAILURE() << "no " << program << " from " << unix << " within 20 s";
    return Process(handle, id);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  // Now and then Wine's new process dies while Wine itself starts it, before any of the program
  // runs, and CreateProcess fails with ERROR_INTERNAL_ERROR: that start is tried again.
  for (int attempt = 1;; ++attempt) {
    std::string line = commandLine;  // CreateProcessA may write into it
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup, &info))
      break;
    DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
      ADD_FAILURE() << "CreateProcessA(" << commandLine << ") failed: " << error << " (attempt " << attempt << ")";
      return Process();
    }
  }
  CloseHandle(info.hThread);
  return Process(info.hProcess, info.dwProcessId);
}

void SaverTest::StartFullScreen(const std::string& commandLine, FullScreenRun* run, uint64_t swaps,
                                const char* locale) {
  ForgetFrames();
  run->process = Launch(commandLine, locale);
  ASSERT_TRUE(run->process.Started());
  run->saver = WaitForTopLevel(run->process, SaverClass);
  ASSERT_NE(nullptr, run->saver) << "no " << SaverClass << " window of " << commandLine << " within 10 s";
  run->child = WaitForChild(run->saver, GlClass);
  ASSERT_NE(nullptr, run->child) << "no " << GlClass << " child in the saver window within 10 s";
  ASSERT_TRUE(WaitUntil([&] { return SwapCount() >= swaps; }, 20000))
      << "expected " << swaps << " frames within 20 s, saw " << SwapCount();
}

void SaverTest::StartStuckSaver(FullScreenRun* run) {
  ASSERT_NO_FATAL_FAILURE(Install(E2E_FAULT_SAVER, "vorlux_fault.scr"));
  run->process = Launch(CommandLine("/s stuck", "vorlux_fault.scr"));
  ASSERT_TRUE(run->process.Started());
  run->saver = WaitForTopLevel(run->process, SaverClass);
  ASSERT_NE(nullptr, run->saver) << "no " << SaverClass << " window within 10 s";
  run->child = WaitForChild(run->saver, GlClass);
  ASSERT_NE(nullptr, run->child) << "no GL child, so no render thread";
}

}  // namespace e2e
