// A combo box's list entry read into a slot: read at whatever length the combo box reports, cut
// to a slot's 254 bytes at a character's end, and a failed read told apart from an empty entry.
#include "config_ui/list_entry.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ListEntry, ReadAtTheReportedLengthCutToASlotAndAFailureIsNoEmptyText) {
  const uint8_t cp932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  const LeadByteTable leads = LeadBytesFromRanges(cp932, sizeof cp932);
  const std::string rest = "\x8B\x78";  // 休 in code page 932
  struct Case {
    int64_t reported;  // CB_GETLBTEXTLEN's answer
    std::string text;  // what CB_GETLBTEXT writes
    bool read;
    std::string slot;  // when read
  } cases[] = {
    {-1, "", false, ""},  // CB_ERR: no such entry
    {0, "", true, ""},    // an empty entry is read, and empty
    {4, rest + "\x8C\x65", true, rest + "\x8C\x65"},
    {8, rest, true, rest},  // the report may exceed the text
    {254, std::string(254, 'W'), true, std::string(254, 'W')},
    {300, std::string(300, 'W'), true, std::string(254, 'W')},  // a long entry is cut, not dropped
    {255, "a" + std::string(127 * 2, '\x8B'), true, "a" + std::string(126 * 2, '\x8B')},  // no half character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("reported " + std::to_string(c.reported) + ", " + std::to_string(c.text.size()) + " bytes");
    size_t size = ListEntryBufferSize(c.reported);
    std::vector<char> buffer(size + 1, 'X');  // one spare byte: nothing beyond `size` is read
    std::copy(c.text.begin(), c.text.end(), buffer.begin());
    if (size) buffer[std::min(c.text.size(), size - 1)] = '\0';
    char slot[256] = "before";
    ASSERT_EQ(c.read, SlotFromListEntry(size ? buffer.data() : nullptr, size, leads, slot, 255));
    EXPECT_EQ(c.read ? c.slot : "before", slot);
  }
}

}  // namespace
