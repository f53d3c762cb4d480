// A list entry of the configuration dialog's combo box read into a text slot. Pure: no Win32
// types, so it is tested natively too.
#pragma once
#include "render/glyph_walk.h"
#include <stddef.h>
#include <stdint.h>

// The buffer that CB_GETLBTEXT needs for an entry whose length CB_GETLBTEXTLEN reports as
// `reported`: reported + 1 bytes, however large, since for ANSI text the report may exceed the
// text's real length (it allows for double-byte characters). 0 when the report is an error
// (negative) or too large for memory: the entry cannot be read, which is not an empty entry.
size_t ListEntryBufferSize(int64_t reported);

// The slot from what CB_GETLBTEXT wrote into `text`, a buffer of `size` bytes: the text up to its
// terminator or the buffer's end, cut to the whole characters that fit in `slotSize` bytes with a
// terminator. A long entry is cut, never dropped. False, with the slot left as it was, when there
// is no text to read (`text` null or `size` 0: the entry could not be read).
bool SlotFromListEntry(char* text, size_t size, const LeadByteTable& leads, char* slot, size_t slotSize);
