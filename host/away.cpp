// The away run: its word, its grace for the user leaving, and the lock (see away.h).
#include "host/away.h"
#include "config_ui/away_chooser.h"
#include "host/away_rules.h"
#include "host/command_line.h"
#include "host/saver_window.h"
#include "host/system.h"
#include "settings/store.h"
#include <string.h>

AwayRunRecord AwayRun;

namespace {

enum class LockState { NotAsked, Waiting, Ended };
LockState Lock = LockState::NotAsked;
// Windows XP on tells a window of the session's lock; before, the wait alone ends it.
HMODULE SessionApi = nullptr;
bool Listening = false;
constexpr UINT_PTR LockWaitTimer = 1;
constexpr DWORD NotifyForThisSession = 0;  // NOTIFY_FOR_THIS_SESSION
using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterFn = BOOL(WINAPI*)(HWND);

void ListenForLock(HWND window) {
  SessionApi = LoadSystemLibrary("WTSAPI32.DLL");
  if (!SessionApi) return;
  auto listen = ProcAddress<RegisterFn>(SessionApi, "WTSRegisterSessionNotification");
  Listening = listen && listen(window, NotifyForThisSession);
}

}  // namespace

int32_t RunAway(const char* rest) {
  // A saver already on the screen would hide the chooser: that one comes forward instead.
  if (BringRunningSaverForward()) return 0;
  StartSaverState();
  OpenSettingsKeyForRead();
  ReadTextSlots(SaverState.SettingsKey);
  ReadIntSetting(SaverState.SettingsKey, StringIdValueName, &StringID, StringID);
  CloseSettingsKey();
  int32_t word = AwayWordOfTail(rest);
  if (!word) word = RunAwayChooser();
  if (word <= 0) return word;
  AwayRun.word = word;
  memcpy(AwayRun.text, SaverState.TextSlots[word - 1], sizeof AwayRun.text);
  // Read after the chooser, which stores what it shows.
  SingleSettings own;
  OpenSettingsKeyForRead();
  ReadSettings(SaverState.SettingsKey, SettingGroup::Away, &own);
  CloseSettingsKey();
  AwayRun.lockOnReturn = own.lockOnReturn;
  return RunSaver(nullptr);
}

bool AwayInputGraced() { return AwayRun.word && InAwayGrace(GetTickCount(), AwayRun.shownAt); }

bool LockDefersClose(HWND window) {
  if (!AwayRun.word || !AwayRun.lockOnReturn || Lock == LockState::Ended) return false;
  if (Lock == LockState::Waiting) return true;
  Lock = LockState::Ended;
  // Windows 2000 on; a policy may refuse it, and Windows 95 to Me have none.
  using LockWorkStationFn = BOOL(WINAPI*)();
  auto lock = ProcAddress<LockWorkStationFn>(GetModuleHandleA("USER32.DLL"), "LockWorkStation");
  if (!lock) return false;
  // Listening first: the call only starts the lock, and returns before it is done.
  ListenForLock(window);
  if (!lock()) {
    EndLockWait(window);
    return false;
  }
  Lock = LockState::Waiting;
  SetTimer(window, LockWaitTimer, LockReportWaitMs, nullptr);
  return true;
}

bool LockReported(HWND window, UINT message, WPARAM wParam) {
  if (Lock != LockState::Waiting) return false;
  if (!(message == WM_TIMER && wParam == LockWaitTimer) &&
      !(message == WM_WTSSESSION_CHANGE && wParam == WTS_SESSION_LOCK))
    return false;
  Lock = LockState::Ended;
  KillTimer(window, LockWaitTimer);
  return true;
}

void EndLockWait(HWND window) {
  if (Listening) {
    if (auto stop = ProcAddress<UnregisterFn>(SessionApi, "WTSUnRegisterSessionNotification")) stop(window);
    Listening = false;
  }
  if (SessionApi) FreeLibrary(SessionApi);
  SessionApi = nullptr;
}
