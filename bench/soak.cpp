// bench/soak.sh: start/close cycles and a long run of the full-screen saver, or of the
// configuration dialog with its sheet, counting failed exits and hangs and sampling the process's
// handles and memory once a minute. Built with the end-to-end driver; a benchmark, not a test.
// VORLUX_SOAK_CYCLES and VORLUX_SOAK_MINUTES say how much.
#include "tests/e2e/config_driver.h"
#include "tests/win/test_support.h"
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace e2e {
namespace {

constexpr DWORD HangMs = 10000;  // a start, a close or a sheet that takes longer counts as a hang

int FromEnvironment(const char* name, int fallback) {
  const char* value = getenv(name);
  return value && *value ? atoi(value) : fallback;
}

std::string ReadUnixFile(const std::string& path) {
  std::string text;
  if (FILE* file = fopen(("Z:" + path).c_str(), "rb")) {
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    fclose(file);
  }
  return text;
}

// The Unix process of the prefix's one running vorlux.scr, for its memory (Wine's private-bytes
// counters read 0 for another process): Wine gives a Windows process its command line as the
// Unix one, and every process of the prefix has the prefix in its environment.
long UnixPidOfProgram() {
  std::string prefix = std::string("WINEPREFIX=") + getenv("WINEPREFIX");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  long pid = 0;
  for (BOOL more = search != INVALID_HANDLE_VALUE; more && !pid; more = FindNextFileA(search, &found)) {
    if (strspn(found.cFileName, "0123456789") != strlen(found.cFileName)) continue;
    std::string dir = std::string("/proc/") + found.cFileName;
    std::string environment = ReadUnixFile(dir + "/environ");
    if (ReadUnixFile(dir + "/cmdline").find("vorlux.scr") != std::string::npos &&
        environment.find(prefix + '\0') != std::string::npos)
      pid = atol(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return pid;
}

long AnonymousKb(long unixPid) {
  std::string status = ReadUnixFile("/proc/" + std::to_string(unixPid) + "/status");
  size_t at = status.find("RssAnon:");
  return at == std::string::npos ? -1 : atol(status.c_str() + at + 8);
}

struct Sample {
  long handles, kb;
};

class Soak : public ConfigTest {
 protected:
  int cycles_ = FromEnvironment("VORLUX_SOAK_CYCLES", 1000);
  int minutes_ = FromEnvironment("VORLUX_SOAK_MINUTES", 30);
  int failedExits_ = 0, hangs_ = 0;
  std::vector<Sample> samples_;

  // The end of one launched run: a hang when it is still running after HangMs.
  void Count(Process& process) {
    DWORD code = process.WaitForExit(HangMs);
    if (code == Running) ++hangs_;
    else if (code != 0) ++failedExits_;
  }

  // Samples once a minute for the long run, the first after one round of `work` (so that what is
  // made once is not counted as growth); `work` runs between the samples (less than a minute each).
  void SampleEveryMinute(DWORD processId, const std::function<void()>& work) {
    long unixPid = UnixPidOfProgram();
    work();
    DWORD start = GetTickCount();
    for (int minute = 0; minute <= minutes_; ++minute) {
      while (GetTickCount() - start < static_cast<DWORD>(minute) * 60000) work();
      samples_.push_back({HandleCount(processId), AnonymousKb(unixPid)});
      printf("sample minute %d handles %ld memory-kb %ld\n", minute, samples_.back().handles, samples_.back().kb);
      fflush(stdout);
    }
  }

  void PrintFigures() {
    printf("cycles %d exit!=0 %d hangs %d\n", cycles_, failedExits_, hangs_);
    if (samples_.size() >= 2) {
      printf("handles-growth %ld\n", samples_.back().handles - samples_.front().handles);
      printf("memory-growth-kb %ld\n", samples_.back().kb - samples_.front().kb);
    }
  }

  // The full-screen saver up to its first frame; false (counted) when it did not get there.
  bool StartSaver(Process* process) {
    ForgetFrames();
    *process = LaunchSaver("/s");
    if (!WaitForTopLevel(*process, SaverClass, HangMs) || !WaitUntil([] { return SwapCount() >= 1; }, HangMs)) {
      Count(*process);
      return false;
    }
    return true;
  }

  void CloseSaver(Process& process) {
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    Count(process);
  }

  // The dialog's details sheet, each page shown, then cancelled; false (a hang) when the sheet
  // did not open or close in time.
  bool VisitSheet() {
    Click(dialog_, DetailsButton);
    sheet_ = WaitForOwnedDialog(dialog_, HangMs);
    if (!sheet_) return false;
    for (int page = 0; page < 5; ++page) {
      ShowPage(page);
      Pump(20);
    }
    PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return WaitUntil([&] { return !IsWindow(sheet_); }, HangMs);
  }

  bool OpenConfig() {
    process_ = LaunchSaver("");
    dialog_ = WaitForTopLevel(process_, "#32770", HangMs);
    if (dialog_ && WaitUntil([&] { return GetDlgItem(dialog_, DetailsButton) != nullptr; }, HangMs)) return true;
    Count(process_);
    return false;
  }

  void CloseConfig() {
    Click(dialog_, IDCANCEL);
    Count(process_);
  }
};

TEST_F(Soak, Saver) {
  for (int cycle = 0; cycle < cycles_; ++cycle) {
    Process process;
    if (StartSaver(&process)) CloseSaver(process);
  }
  if (minutes_ > 0) {
    Process process;
    if (StartSaver(&process)) {
      SampleEveryMinute(process.Id(), [] { Pump(1000); });
      CloseSaver(process);
    }
  }
  PrintFigures();
}

TEST_F(Soak, Config) {
  for (int cycle = 0; cycle < cycles_; ++cycle) {
    if (!OpenConfig()) continue;
    if (VisitSheet()) CloseConfig();
    else ++hangs_, process_ = Process();  // ended here
  }
  if (minutes_ > 0 && OpenConfig()) {
    bool sheetsClosed = true;
    int sheets = 0;
    SampleEveryMinute(process_.Id(), [&] {
      if (sheetsClosed && !(sheetsClosed = VisitSheet())) ++hangs_;
      if (!sheetsClosed) Pump(1000);
      else ++sheets;
    });
    printf("long run: the sheet opened, paged through and cancelled %d times\n", sheets);
    if (sheetsClosed) CloseConfig();
  }
  PrintFigures();
}

}  // namespace
}  // namespace e2e
