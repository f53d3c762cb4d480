// The settings model: the program-wide SaverState record, the selected slot, the GL switch and
// material/light tables with their built-in defaults, and LoadSaverStrings. Main thread fills
// SaverState before the render thread starts; the render thread then only reads it (and Text).
#pragma once
#include <windows.h>
#include <stdint.h>

constexpr int TextBufferSize = 256;
constexpr int TextSlotCount = 6;

struct SaverStateRecord {
  char Text[TextBufferSize];                      // what the renderer turns into glyphs
  char TextSlots[TextSlotCount][TextBufferSize];  // the six user-editable slots
  char DefaultText[TextBufferSize];               // string 105, shown when no stored slot reads
  int32_t SaverWidth;
  int32_t SaverHeight;
  int32_t ChildWidth;
  int32_t ChildHeight;
  HWND ChildWindow;
  HKEY SettingsKey;
  char ClassName[16];
  char WindowTitle[16];
  char KeyPath[260];
  HANDLE RenderThread;
  DWORD RenderThreadId;
};

extern SaverStateRecord SaverState;

// Index of the selected slot, -1 for none. Outside SaverState so that clearing the record
// at the start of a run does not reset it. Stored under StringIdValueName.
extern int32_t StringID;
constexpr const char* StringIdValueName = "StringID";

struct GlCapRow {
  const char* valueName;  // registry value name and GL name of the capability
  uint32_t capability;
  uint8_t state;          // 1 enables; anything else disables
};

struct MaterialLightRow {
  const char* valueName;
  float* vector;          // four floats, except the last row's one (shininess)
};

// First rows of the tables; walk until the row whose valueName is null.
GlCapRow* GetGlCapTable();
const MaterialLightRow* GetMaterialLightTable();

// Rows of MaterialLightTable by index (the light and material pages address them so).
enum MaterialLightIndex {
  LightAmbientRow, LightDiffuseRow, LightSpecularRow, LightModelAmbientRow, LightPositionRow,
  MatAmbientRow, MatDiffuseRow, MatSpecularRow, MatEmissionRow, MatShininessRow,
  MaterialLightRowCount
};

// The glyph shape settings read by the render set-up and edited by the shape page: value names and
// built-in defaults. Format 0 draws line segments, 1 filled polygons.
constexpr const char* DeviationValueName = "Deviation";
constexpr const char* ExtrusionValueName = "Extrusion";
constexpr const char* UserScaleValueName = "UserScale";
constexpr const char* FormatValueName = "Format";
constexpr const char* LogFontValueName = "LogFont";
constexpr float DefaultDeviation = 0.0f;
constexpr float DefaultExtrusion = 0.15f;
constexpr float DefaultUserScale = 0.55f;
constexpr int32_t DefaultFormat = 1;

// How the text moves, read by the render thread and edited by the motion page: steps per second
// (REG_DWORD; see render/pacing.h for the range and its default) and the motion (REG_DWORD; see
// render/motion.h).
constexpr const char* StepsPerSecondValueName = "StepsPerSecond";
constexpr const char* MotionValueName = "Motion";

// String resource ids of the texts the program loads.
constexpr UINT ClassNameStringId = 101;
constexpr UINT WindowTitleStringId = 102;
constexpr UINT KeyPathStringId = 103;
constexpr UINT FirstPresetStringId = 105;  // 105..110: slots 0..5; 105 is also DefaultText

// Fills the string fields of SaverState from the string table of HostInstance.
void LoadSaverStrings();
