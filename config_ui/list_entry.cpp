// A list entry read into a text slot (see list_entry.h).
#include "config_ui/list_entry.h"
#include <string.h>

size_t ListEntryBufferSize(int64_t reported) {
  if (reported < 0 || static_cast<uint64_t>(reported) >= SIZE_MAX) return 0;
  return static_cast<size_t>(reported) + 1;
}

bool SlotFromListEntry(char* text, size_t size, const LeadByteTable& leads, char* slot, size_t slotSize) {
  if (!text || size == 0 || slotSize == 0) return false;
  text[size - 1] = '\0';
  size_t kept = FittingTextLength(text, slotSize, leads);
  memcpy(slot, text, kept);
  slot[kept] = '\0';
  return true;
}
