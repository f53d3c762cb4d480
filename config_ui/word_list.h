// The configuration dialog's combo box, its words as UTF-16: a Unicode window, so that a word
// typed with the input method is kept as typed on any code page; on the consumer platform, which
// has no Unicode windows, an ANSI one whose texts are converted with the active code page. Main
// thread only.
#pragma once
#include <windows.h>

// An entry of a combo box, or with LB_INSERTSTRING of a list box.
void InsertListEntry(HWND list, int index, const wchar_t* text, UINT insert = CB_INSERTSTRING);
// The edit field's text: at most size - 1 characters and the terminator.
void GetTypedText(HWND combo, wchar_t* text, int size);
// List entry `index` as a slot holds it: at most slotSize - 1 characters and the terminator, never
// half a surrogate pair. ERROR_SUCCESS when it was read, an empty entry included; otherwise the
// reason, and the slot is left as it was.
DWORD GetListEntry(HWND combo, int index, wchar_t* slot, int slotSize);
