// The clock of the time beside the word: when the user left, and an hour and minute in local time.
// Any thread.
#pragma once
#include <windows.h>
#include <stdint.h>

// The system's time now, as a FILETIME in UTC (GetSystemTimeAsFileTime). The tests put a clock of
// their own here, so that the time drawn is known.
extern void(WINAPI* ClockNow)(LPFILETIME now);

// When the user left: the last input before now (GetLastInputInfo against the tick count); now
// itself when that is unknown, after now, or more than a day back, and always when the run's
// start stands for it (a preview, an away run).
uint64_t TimeUserLeft(bool fromStart);
// The hour and minute of a time (a FILETIME in UTC) on the local clock, with the summer time of
// that day. False when the system cannot tell.
bool LocalHourMinute(uint64_t utc, int* hour, int* minute);
// ClockNow's time as one number.
uint64_t TimeNow();
