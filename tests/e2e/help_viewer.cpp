// The help viewer seen from outside (see help_viewer.h).
#include "tests/e2e/help_viewer.h"
#include "tests/e2e/config_driver.h"

namespace e2e {

namespace {

constexpr int TopicTextId = 0x701;  // the viewer's rich edit control, which holds the topic

// The first line of the topic a viewer window shows: the topic's title.
std::string ShownTopic(HWND viewer) {
  std::string text = TextOf(GetDlgItem(viewer, TopicTextId));
  return text.substr(0, text.find_first_of("\r\n"));
}

std::vector<HWND> VisibleViewers() {
  std::vector<HWND> visible;
  for (HWND viewer : TopLevelWindows(HelpViewerClass))
    if (IsWindowVisible(viewer)) visible.push_back(viewer);
  return visible;
}

}  // namespace

HWND WaitForHelpTopic(const std::string& titleUtf8, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND viewer : VisibleViewers())
      if (ShownTopic(viewer) == titleUtf8) found = viewer;
    return found != nullptr;
  }, timeoutMs);
  return found;
}

std::string ShownTopics() {
  std::string shown;
  for (HWND viewer : VisibleViewers()) shown += (shown.empty() ? "" : ", ") + ShownTopic(viewer);
  return shown;
}

bool CloseHelpViewers(DWORD timeoutMs) {
  std::vector<HANDLE> processes;
  for (HWND viewer : TopLevelWindows(HelpViewerClass)) {
    DWORD id = 0;
    GetWindowThreadProcessId(viewer, &id);
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id)) processes.push_back(process);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
  }
  bool ended = true;
  for (HANDLE process : processes) {
    ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 && ended;
    CloseHandle(process);
  }
  return ended;
}

}  // namespace e2e
