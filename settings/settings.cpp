// The settings record and tables with their built-in defaults, and the loading of the program's
// strings into SaverState. Written by the main thread before the render thread starts.
#include "settings/settings.h"
#include "host/host_state.h"
#include "host/system.h"
#include "render/motion.h"
#include "render/pacing.h"
#include "render/time_line.h"
#include "resources/resource.h"
#include <string.h>

SaverStateRecord SaverState;
int32_t StringID = 0;

namespace {

int32_t UsableStepRate(int32_t stored) {
  return static_cast<int32_t>(StepRateFromStored(static_cast<uint32_t>(stored)));
}

int32_t UsableMotion(int32_t stored) {
  return static_cast<int32_t>(MotionFromStored(static_cast<uint32_t>(stored)));
}

int32_t UsableTimeDisplay(int32_t stored) {
  return static_cast<int32_t>(TimeDisplayFromStored(static_cast<uint32_t>(stored)));
}

// The lock is what keeps a desk safe: only a stored 0 switches it off.
int32_t UsableFlagOn(int32_t stored) { return stored != 0 ? 1 : 0; }

// The single values. A new one is a row here and its control on its page: the store, the saver's
// set-up, the page and the tests take it from this table. Each row: value name, group, built-in
// value, where a float or a number lands, what a stored number is taken as; then how the page
// shows it (control, kind, least and most, a list's first text).
const SettingRow SettingTable[] = {
  {"Deviation", SettingGroup::Shape, 0.0f, &SingleSettings::deviation, nullptr, nullptr,
   {IDC_DEVIATION, SettingShown::FloatEdit, 0, 0, 0}},
  {"Extrusion", SettingGroup::Shape, 0.15f, &SingleSettings::extrusion, nullptr, nullptr,
   {IDC_EXTRUSION, SettingShown::FloatEdit, 0, 0, 0}},
  {"UserScale", SettingGroup::Shape, 0.55f, &SingleSettings::userScale, nullptr, nullptr,
   {IDC_SCALE, SettingShown::FloatEdit, 0, 0, 0}},
  {"Format", SettingGroup::Shape, 1, nullptr, &SingleSettings::format, nullptr,
   {IDC_FORMAT_LINES, SettingShown::Choice, 0, 1, 0}},
  {"StepsPerSecond", SettingGroup::Motion, DefaultStepsPerSecond, nullptr, &SingleSettings::stepsPerSecond,
   UsableStepRate, {IDC_SPEED, SettingShown::NumberEdit, MinStepsPerSecond, MaxStepsPerSecond, 0}},
  {"Motion", SettingGroup::Motion, 0, nullptr, &SingleSettings::motion, UsableMotion,
   {IDC_MOTION_TUMBLE, SettingShown::Choice, 0, static_cast<int32_t>(Motion::FaceTheRoom), 0}},
  {"TimeDisplay", SettingGroup::Word, 0, nullptr, &SingleSettings::timeDisplay, UsableTimeDisplay,
   {IDC_TIME_DISPLAY, SettingShown::ListChoice, 0, static_cast<int32_t>(TimeDisplay::Now), IDS_TIME_CHOICE0}},
  {"LockOnReturn", SettingGroup::Away, 1, nullptr, &SingleSettings::lockOnReturn, UsableFlagOn,
   {IDC_LOCK_ON_RETURN, SettingShown::Check, 0, 1, 0}},
  {nullptr, SettingGroup::Shape, 0, nullptr, nullptr, nullptr, {0, SettingShown::FloatEdit, 0, 0, 0}},
};

}  // namespace

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

const SettingRow* GetSettingTable() { return SettingTable; }
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
