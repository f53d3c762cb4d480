// Host-wide state, set by the main thread before any mode runs.
#include "host/host_state.h"
#include "host/system.h"

HINSTANCE HostInstance = nullptr;

void SetSaverRunning(int on) {
  if (!ConsumerPlatform) return;
  UINT previous;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(on), &previous, 0);
}
