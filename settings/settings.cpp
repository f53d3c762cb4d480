// The settings record and tables with their built-in defaults, and the loading of the program's
// strings into SaverState. Written by the main thread before the render thread starts.
#include "settings/settings.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include <string.h>

SaverStateRecord SaverState;
int32_t StringID = 0;

static GlCapRow GlCapTable[] = {
  {"GL_ALPHA_TEST", 0x0BC0, 1},
  {"GL_AUTO_NORMAL", 0x0D80, 1},
  {"GL_COLOR_MATERIAL", 0x0B57, 1},
  {"GL_CULL_FACE", 0x0B44, 0},
  {"GL_DEPTH_TEST", 0x0B71, 1},
  {"GL_DITHER", 0x0BD0, 1},
  {"GL_LIGHTING", 0x0B50, 1},
  {"GL_LIGHT0", 0x4000, 1},
  {"GL_LINE_SMOOTH", 0x0B20, 0},
  {"GL_POLYGON_SMOOTH", 0x0B41, 0},
  {nullptr, 0, 0},
};

static float LightAmbient[4] = {0.1f, 0.1f, 0.0f, 1.0f};
static float LightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
static float LightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
static float LightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
static float LightPosition[4] = {1.0f, 1.0f, 1.0f, 0.0f};  // w = 0: directional
static float MatAmbient[4] = {0.25f, 0.2f, 0.2f, 1.0f};
static float MatDiffuse[4] = {1.0f, 0.8f, 0.8f, 1.0f};
static float MatSpecular[4] = {0.3f, 0.3f, 0.3f, 1.0f};
static float MatEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
static float MatShininess[1] = {12.0f};

// The row order is fixed: the pages address rows by index.
static const MaterialLightRow MaterialLightTable[] = {
  {"light_ambient", LightAmbient, 4},
  {"light_diffuse", LightDiffuse, 4},
  {"light_specular", LightSpecular, 4},
  {"lmodel_ambient", LightModelAmbient, 4},
  {"light_position", LightPosition, 4},
  {"mat_ambient", MatAmbient, 4},
  {"mat_diffuse", MatDiffuse, 4},
  {"mat_specular", MatSpecular, 4},
  {"mat_emission", MatEmission, 4},
  {"mat_shininess", MatShininess, 1},
  {nullptr, nullptr, 0},
};

GlCapRow* GetGlCapTable() { return GlCapTable; }
const MaterialLightRow* GetMaterialLightTable() { return MaterialLightTable; }

void LoadSaverStrings() {
  // The loaders copy at most size - 1 characters and always terminate; a missing string leaves
  // the field as the clearing left it (empty). Results are deliberately not tested.
  LoadStringA(HostInstance, ClassNameStringId, SaverState.ClassName, 15);
  LoadStringA(HostInstance, WindowTitleStringId, SaverState.WindowTitle, 15);
  LoadStringA(HostInstance, KeyPathStringId, SaverState.KeyPath, 259);
  LoadText(HostInstance, FirstPresetStringId, SaverState.DefaultText, 255);
  for (int slot = 0; slot < TextSlotCount; ++slot)
    LoadText(HostInstance, FirstPresetStringId + slot, SaverState.TextSlots[slot], 255);
}

void StartSaverState() {
  memset(&SaverState, 0, sizeof SaverState);
  LoadSaverStrings();
}
