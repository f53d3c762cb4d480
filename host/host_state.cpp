// Host-wide state: the module instance and the platform flag. Main thread only.
#include "host/host_state.h"

HINSTANCE HostInstance = nullptr;
int32_t ConsumerPlatform = 0;
