// A saver run on the program's side: the word it draws, the saver window's size, the GL child
// window, the render thread and when the user left. The main thread writes it before the render
// thread starts; the render thread then only reads it.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/settings.h"

struct SaverRunRecord {
  wchar_t Text[TextBufferSize];  // what the renderer turns into glyphs
  int32_t TextChosen;            // the run chose Text (an away run): no slot is read for it
  int32_t SaverWidth;
  int32_t SaverHeight;
  int32_t ChildWidth;
  int32_t ChildHeight;
  HWND ChildWindow;
  HANDLE RenderThread;
  uint64_t LeftAt;  // when the user left, as a FILETIME in UTC; set with the GL child window
};

extern SaverRunRecord SaverRun;
