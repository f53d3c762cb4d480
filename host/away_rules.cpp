// The rules of an away run (see away_rules.h).
#include "host/away_rules.h"

int32_t AwayWordOfKey(uint32_t virtualKey) {
  constexpr uint32_t FirstDigit = '1', FirstPadDigit = 0x61;  // VK_NUMPAD1
  if (virtualKey >= FirstDigit && virtualKey < FirstDigit + AwayWordCount)
    return static_cast<int32_t>(virtualKey - FirstDigit) + 1;
  if (virtualKey >= FirstPadDigit && virtualKey < FirstPadDigit + AwayWordCount)
    return static_cast<int32_t>(virtualKey - FirstPadDigit) + 1;
  return 0;
}

bool InAwayGrace(uint32_t now, uint32_t shownAt) { return now - shownAt < AwayGraceMs; }
