// The combo box's words as UTF-16 (see word_list.h).
#include "config_ui/word_list.h"
#include "config_ui/list_entry.h"
#include "host/system.h"
#include "settings/settings.h"

void InsertListEntry(HWND list, int index, const wchar_t* text, UINT insert) {
  if (!ConsumerPlatform) {
    SendMessageW(list, insert, index, reinterpret_cast<LPARAM>(text));
    return;
  }
  char ansi[2 * TextBufferSize];
  AnsiFromWide(text, ansi, sizeof ansi);
  SendMessageA(list, insert, index, reinterpret_cast<LPARAM>(ansi));
}

void GetTypedText(HWND combo, wchar_t* text, int size) {
  text[0] = 0;
  if (!ConsumerPlatform) {
    SendMessageW(combo, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));
    return;
  }
  char ansi[2 * TextBufferSize] = "";
  SendMessageA(combo, WM_GETTEXT, size < static_cast<int>(sizeof ansi) ? size : sizeof ansi,
               reinterpret_cast<LPARAM>(ansi));
  WideFromAnsi(ansi, text, size);
}

DWORD GetListEntry(HWND combo, int index, wchar_t* slot, int slotSize) {
  const bool ansi = ConsumerPlatform != 0;
  size_t size = ListEntryBufferSize(ansi ? SendMessageA(combo, CB_GETLBTEXTLEN, index, 0)
                                         : SendMessageW(combo, CB_GETLBTEXTLEN, index, 0));
  if (size == 0) return ERROR_INVALID_INDEX;
  // Every entry is a slot or the edit field's text, at most 254 characters; an ANSI report may
  // count two bytes a character: twice a slot's size holds any report for them. A larger report
  // still gets a buffer of its size. An ANSI entry is read into bytes behind the characters.
  const size_t need = size * (sizeof(wchar_t) + (ansi ? 1 : 0));
  alignas(wchar_t) BYTE local[2 * TextBufferSize * (sizeof(wchar_t) + 1)];
  BYTE* block = need <= sizeof local ? local : static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, need));
  if (!block) return ERROR_NOT_ENOUGH_MEMORY;
  wchar_t* text = reinterpret_cast<wchar_t*>(block);
  text[0] = 0;
  if (ansi) {
    char* bytes = reinterpret_cast<char*>(block + size * sizeof(wchar_t));
    bytes[0] = '\0';
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(bytes));
    bytes[size - 1] = '\0';
    WideFromAnsi(bytes, text, static_cast<int>(size));
  } else {
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  }
  SlotFromListEntry(reinterpret_cast<char16_t*>(text), size, reinterpret_cast<char16_t*>(slot),
                    static_cast<size_t>(slotSize));
  if (block != local) HeapFree(GetProcessHeap(), 0, block);
  return ERROR_SUCCESS;
}
