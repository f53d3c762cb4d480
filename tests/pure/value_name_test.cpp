// Slot value names, formatted as "%s%-1d".
#include "settings/value_name.h"
#include <gtest/gtest.h>
#include <string.h>

TEST(SlotValueName, SlotsZeroToFive) {
  char name[32];
  EXPECT_STREQ("ZorvelString0", FormatSlotValueName(name, sizeof name, SlotValuePrefix, 0));
  EXPECT_STREQ("ZorvelString5", FormatSlotValueName(name, sizeof name, SlotValuePrefix, 5));
}

TEST(SlotValueName, NumbersOutsideTheSlotsStillNameAValue) {
  char name[32];
  EXPECT_STREQ("ZorvelString-1", FormatSlotValueName(name, sizeof name, SlotValuePrefix, -1));
  EXPECT_STREQ("ZorvelString9", FormatSlotValueName(name, sizeof name, SlotValuePrefix, 9));
  EXPECT_STREQ("ZorvelString-2147483648", FormatSlotValueName(name, sizeof name, SlotValuePrefix, INT32_MIN));
}

TEST(SlotValueName, SmallBufferIsCutAndTerminated) {
  char name[8];
  memset(name, 'x', sizeof name);
  FormatSlotValueName(name, sizeof name, SlotValuePrefix, 3);
  EXPECT_STREQ("ZorvelS", name);
}
