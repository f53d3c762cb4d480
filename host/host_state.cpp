// Host-wide state and services. Main thread only, but for ActiveLeadBytes (any thread).
#include "host/host_state.h"

HINSTANCE HostInstance = nullptr;
int32_t ConsumerPlatform = 0;

int32_t TestConsumerPlatform() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  // GetVersionExA is deprecated for version checks, but the platform id is exactly what is asked.
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
  if (!GetVersionExA(&version)) return 0;
  return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

LeadByteTable ActiveLeadBytes() {
  CPINFO info = {};
  if (!GetCPInfo(CP_ACP, &info)) return LeadByteTable{};
  return LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES);
}

void SetSaverRunning(int on) {
  if (!ConsumerPlatform) return;
  UINT previous;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(on), &previous, 0);
}
