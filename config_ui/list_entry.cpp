// A list entry read into a text slot (see list_entry.h).
#include "config_ui/list_entry.h"
#include "render/glyph_walk.h"
#include <string.h>

size_t ListEntryBufferSize(int64_t reported) {
  if (reported < 0 || static_cast<uint64_t>(reported) >= SIZE_MAX / 4) return 0;
  return static_cast<size_t>(reported) + 1;
}

bool SlotFromListEntry(char16_t* text, size_t size, char16_t* slot, size_t slotSize) {
  if (!text || size == 0 || slotSize == 0) return false;
  text[size - 1] = 0;
  size_t kept = FittingTextLength(text, slotSize);
  memcpy(slot, text, kept * sizeof(char16_t));
  slot[kept] = 0;
  return true;
}
