// The 200 ms rule of the password gate.
#include "host/close_gate.h"

bool RefusedWithoutAsking(uint32_t now, uint32_t lastCheck) {
  return lastCheck != NoCheckYet && now - lastCheck < RefusalInterval;
}
