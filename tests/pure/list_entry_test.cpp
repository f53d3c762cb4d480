// A combo box's list entry read into a slot: read at whatever length the combo box reports, cut
// to a slot's 254 units at a character's end, and a failed read told apart from an empty entry.
#include "config_ui/list_entry.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ListEntry, ReadAtTheReportedLengthCutToASlotAndAFailureIsNoEmptyText) {
  const std::u16string pair = u"\U00020BB7";
  struct Case {
    int64_t reported;     // CB_GETLBTEXTLEN's answer
    std::u16string text;  // what CB_GETLBTEXT writes
    bool read;
    std::u16string slot;  // when read
  } cases[] = {
    {-1, u"", false, u""},  // CB_ERR: no such entry
    {0, u"", true, u""},    // an empty entry is read, and empty
    {2, u"休憩", true, u"休憩"},
    {8, u"休", true, u"休"},  // the report may exceed the text
    {254, std::u16string(254, u'W'), true, std::u16string(254, u'W')},
    {300, std::u16string(300, u'W'), true, std::u16string(254, u'W')},  // a long entry is cut, not dropped
    {255, std::u16string(253, u'a') + pair, true, std::u16string(253, u'a')},  // no half character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("reported " + std::to_string(c.reported) + ", " + std::to_string(c.text.size()) + " units");
    size_t size = ListEntryBufferSize(c.reported);
    std::vector<char16_t> buffer(size + 1, u'X');  // one spare unit: nothing beyond `size` is read
    std::copy(c.text.begin(), c.text.end(), buffer.begin());
    if (size) buffer[std::min(c.text.size(), size - 1)] = 0;
    char16_t slot[256] = u"before";
    ASSERT_EQ(c.read, SlotFromListEntry(size ? buffer.data() : nullptr, size, slot, 255));
    EXPECT_EQ(c.read ? c.slot : u"before", std::u16string(slot));
  }
}

}  // namespace
