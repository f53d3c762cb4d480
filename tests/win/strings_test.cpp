// The program's strings as LoadSaverStrings fills them under code page 932.
#include "tests/win/test_support.h"
#include "host/host_state.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include <string.h>

namespace {

using StringsTest = FreshSettingsTest;

TEST_F(StringsTest, LoadingDoesNotTouchSelectionOrTables) {
  StringID = 4;
  GetGlCapTable()[0].state = 0;
  StartSaverState();
  EXPECT_EQ(4, StringID);
  EXPECT_EQ(0, GetGlCapTable()[0].state);
  EXPECT_EQ(0, SaverRun.Text[0]) << "Text is seeded later, by the GL child window";
}

TEST_F(StringsTest, MissingStringsLeaveFieldsEmpty) {
  // A module without a string table: the fields stay as the clearing left them.
  HostInstance = LoadLibraryA("opengl32.dll");
  ASSERT_NE(nullptr, HostInstance);
  ASSERT_EQ(nullptr, FindResourceA(HostInstance, MAKEINTRESOURCEA(101 / 16 + 1), MAKEINTRESOURCEA(6)))
      << "opengl32 was expected to have no strings 96 to 111";
  StartSaverState();
  EXPECT_STREQ("", SaverState.ClassName);
  EXPECT_STREQ("", SaverState.KeyPath);
  EXPECT_STREQ(L"", SaverState.TextSlots[5]);
}

}  // namespace
