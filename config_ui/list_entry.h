// A list entry of the configuration dialog's combo box read into a text slot. Pure: no Win32
// types, so it is tested natively too.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The buffer, in characters, that CB_GETLBTEXT needs for an entry whose length CB_GETLBTEXTLEN
// reports as `reported`: reported + 1, however large, since for ANSI text the report may exceed
// the text's real length (it allows for double-byte characters). 0 when the report is an error
// (negative) or too large for memory (a quarter of the address space: the reader needs up to
// three bytes a character): the entry cannot be read, which is not an empty entry.
size_t ListEntryBufferSize(int64_t reported);

// The slot from an entry's text, `size` units as the combo box wrote them: the text up to its
// terminator or the buffer's end, cut to the whole characters that fit in `slotSize` units with a
// terminator. A long entry is cut, never dropped. False, with the slot left as it was, when there
// is no text to read (`text` null or `size` 0: the entry could not be read).
bool SlotFromListEntry(char16_t* text, size_t size, char16_t* slot, size_t slotSize);
