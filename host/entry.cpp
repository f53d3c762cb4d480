// Process entry of vorlux.scr. The modes (saver, preview, configuration, password change) are not
// wired in yet, so every command line ends with -1, the result for "no usable mode".
#include <windows.h>
#include "host/host_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HostInstance = instance;
  return -1;
}
