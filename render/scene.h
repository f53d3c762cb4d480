// GL surface and scene set-up: pixel format, 8-bit palette, context, glyph lists from the stored
// shape settings, GL switches, material and light. Render thread only.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/settings.h"

extern const PIXELFORMATDESCRIPTOR PixelFormatTemplate;
extern HPALETTE PaletteHandle;    // the program's palette; null when the pixel format needs none
extern HPALETTE PreviousPalette;  // what the device context held before

// Sets up everything on dc and leaves the context current on the calling thread. Reads the
// settings through key (may be null): the selected text into text, the shape and what goes with
// the word into settings.
// Returns 1, or 0 when no pixel format could be set or the glyph lists could not be built.
int SetupScene(HDC dc, HKEY key, wchar_t* text, SingleSettings* settings);
int SetupPixelFormat(HDC dc);
void SetupPalette(HDC dc);
void ApplyGlCaps(HKEY key);
void SetCapability(uint32_t capability, uint8_t flag);
void ApplyMaterialLight(HKEY key);
// Where the driver offers WGL_EXT_swap_control, each swap waits for the display's refresh (a swap
// interval of 1): no tearing, and no frame drawn that the display would never show. Needs the
// context current.
void SyncSwapsToDisplay(HDC dc);
