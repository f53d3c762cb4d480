// The clock of the time beside the word (see clock.h).
#include "render/clock.h"
#include "host/system.h"
#include "render/time_line.h"

void(WINAPI* ClockNow)(LPFILETIME now) = GetSystemTimeAsFileTime;

uint64_t TimeNow() {
  FILETIME now;
  ClockNow(&now);
  return static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

uint64_t TimeUserLeft(bool fromStart) {
  uint64_t now = TimeNow();
  if (fromStart) return now;
  // From Windows 2000 on: before, the saver's start stands for it.
  using GetLastInputInfoFn = BOOL(WINAPI*)(PLASTINPUTINFO);
  auto lastInput = ProcAddress<GetLastInputInfoFn>(GetModuleHandleA("USER32.DLL"), "GetLastInputInfo");
  LASTINPUTINFO info = {};
  info.cbSize = sizeof info;
  if (!lastInput || !lastInput(&info)) return now;
  int64_t since = MillisecondsSinceLeaving(info.dwTime, GetTickCount());
  return since < 0 ? now : now - static_cast<uint64_t>(since) * 10000u;  // FILETIME counts 100 ns
}

bool LocalHourMinute(uint64_t utc, int* hour, int* minute) {
  FILETIME time = {static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
  SYSTEMTIME universal, local;
  if (!FileTimeToSystemTime(&time, &universal)) return false;
  // The time zone's rule for that day, summer time included; Windows 95 to Me lack the call and
  // take the present offset.
  using ToLocalFn = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, LPSYSTEMTIME);
  auto toLocal = ProcAddress<ToLocalFn>(GetModuleHandleA("KERNEL32.DLL"), "SystemTimeToTzSpecificLocalTime");
  if (!toLocal || !toLocal(nullptr, &universal, &local)) {
    FILETIME localTime;
    if (!FileTimeToLocalFileTime(&time, &localTime) || !FileTimeToSystemTime(&localTime, &local)) return false;
  }
  *hour = local.wHour;
  *minute = local.wMinute;
  return true;
}
