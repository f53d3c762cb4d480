// Test build only (vorlux_extruded.scr): the saver with the extruding outline service in place
// of Wine's, so that make run (VORLUX_OUTLINES=extruded) shows the lettering as Windows draws it.
#include "render/glyphs.h"
#include "tests/host/extruding_outlines.h"

// UseFontOutlines starts as a constant, so this dynamic initialiser always comes after it.
[[maybe_unused]] static const bool Installed = (UseFontOutlines = ExtrudingOutlines, true);
