// The help file in Wine's help viewer: the configuration dialog's help button opens its contents
// topic, and each context number of the dialogs' help tables, asked for with HELP_CONTEXT, opens
// the topic the source titles for it. The viewer ignores HELP_WM_HELP, which the dialogs send on a
// context-help request; what those tables lead to is checked against the file natively.
#include "config_ui/help_context_ids.h"
#include "tests/e2e/config_driver.h"
#include "tests/e2e/help_viewer.h"
#include "tests/help/help_source.h"

namespace e2e {
namespace {

using HelpViewer = ConfigTest;

TEST_F(HelpViewer, TheHelpButtonOpensTheContentsAndEachContextNumberItsTopic) {
  auto titles = HelpSourceTitles("Z:" E2E_SOURCE_DIR "/help/vorlux.txt");
  ASSERT_EQ(1u, titles.count("contents")) << "the source's contents topic";
  // Beside the program, where the viewer looks for it: without it the viewer would ask for it.
  ASSERT_NO_FATAL_FAILURE(Install(E2E_HELP_FILE, "vorlux.hlp"));
  ASSERT_NE(nullptr, OpenDialog());
  Click(dialog_, HelpButton);
  ASSERT_NE(nullptr, WaitForHelpTopic(titles["contents"]))
      << "expected the contents topic " << titles["contents"] << " within 10 s, shown: " << ShownTopics();
  std::string file = folder_ + "\\vorlux.hlp";
  for (uint32_t id : HelpContextIds()) {
    std::string title = titles[std::to_string(id)];
    ASSERT_TRUE(WinHelpA(dialog_, file.c_str(), HELP_CONTEXT, id)) << "context " << id;
    EXPECT_NE(nullptr, WaitForHelpTopic(title, 5000))
        << "context " << id << ": expected the topic " << title << ", shown: " << ShownTopics();
  }
  EXPECT_TRUE(CloseHelpViewers()) << "the viewer did not end within 10 s";
  Click(dialog_, IDCANCEL);
  EXPECT_EQ(0u, process_.WaitForExit(5000));
}

}  // namespace
}  // namespace e2e
