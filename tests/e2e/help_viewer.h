// The help viewer (Wine's winhlp32) seen from outside: the topic it shows, and its end. Main
// thread of the driver only.
#pragma once
#include "tests/e2e/driver.h"
#include <string>

namespace e2e {

// The class of the viewer's main window, to which WinHelpA hands its requests.
constexpr const char* HelpViewerClass = "MS_WINHELP";
// The class of HTML Help's viewer window.
constexpr const char* HtmlHelpViewerClass = "HH Parent";

// The visible viewer window that shows the topic of this title (UTF-8), waited for; null when
// none does.
HWND WaitForHelpTopic(const std::string& titleUtf8, DWORD timeoutMs = 10000);
// The titles of the topics the visible viewer windows show, for messages: "" when none.
std::string ShownTopics();
// Closes every viewer window and waits until their processes have ended: a help request made
// while the last viewer is still closing fails.
bool CloseHelpViewers(DWORD timeoutMs = 10000);

}  // namespace e2e
