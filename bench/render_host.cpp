// render_host.exe: runs the renderer in the test host for a fixed time, for the frame-rate
// benchmark (bench/render.sh). Frames are counted and captured outside, by the frame grabber.
// Usage: render_host.exe [--seconds N] [--top] [--empty] [--width W --height H] [--steps-per-second N]
// (the last is stored as the setting "StepsPerSecond" for the run; 0 draws as fast as it can)
#include "tests/host/render_host.h"
#include "host/host_state.h"
#include "host/system.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  int seconds = 5, width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HostShape shape = HostShape::Child;
  bool empty = false;
  const char* stepsPerSecond = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--width") && i + 1 < argc) width = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--height") && i + 1 < argc) height = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--top")) shape = HostShape::TopLevel;
    else if (!strcmp(argv[i], "--empty")) empty = true;
    else if (!strcmp(argv[i], "--steps-per-second") && i + 1 < argc) stepsPerSecond = argv[++i];
  }
  HostInstance = GetModuleHandleA(nullptr);
  ChooseUiLanguage();
  StartSaverState();
  if ((empty || stepsPerSecond) && OpenSettingsKeyForWrite()) {
    if (empty) {
      // An empty stored slot: every frame is a clear and a swap, the ceiling of the frame rate.
      WriteIntSetting(SaverState.SettingsKey, "StringID", 0);
      WriteTextSetting(SaverState.SettingsKey, "ZorvelString0", L"");
    }
    if (stepsPerSecond) WriteIntSetting(SaverState.SettingsKey, "StepsPerSecond", atoi(stepsPerSecond));
    CloseSettingsKey();
  }
  if (!OpenRenderHost(shape, width, height)) return 2;
  PumpMessages(static_cast<DWORD>(seconds) * 1000);
  return CloseRenderHost() == 1 ? 0 : 1;
}
