// GL surface and scene set-up and teardown: pixel format, 8-bit palette, context, glyph lists from
// the stored shape settings, GL switches, material and light. Render thread only.
#pragma once
#include <windows.h>
#include "render/renderer.h"

extern const PIXELFORMATDESCRIPTOR PixelFormatTemplate;

// Sets up everything on dc and leaves the context current on the calling thread. Reads, through
// key (may be null), every single value the renderer uses into renderer->settings, once, and the
// selected text into text unless the run chose its word (SaverRun.TextChosen). Returns 1, or 0
// when no pixel format could be set or the glyph lists could not be built.
int SetupScene(HDC dc, HKEY key, wchar_t* text, Renderer* renderer);
// Deletes the glyph lists, puts dc's previous palette back, deletes the current context.
void TeardownScene(HDC dc, Renderer* renderer);
// Where the driver offers WGL_EXT_swap_control, each swap waits for the display's refresh (a swap
// interval of 1): no tearing, and no frame drawn that the display would never show. Needs the
// context current.
void SyncSwapsToDisplay(HDC dc);
