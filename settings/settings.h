// The settings model: the program-wide SaverState record, the selected slot, the GL switch and
// material/light tables with their built-in defaults (the single values' table is setting_table.h),
// and the start of a run. Main thread fills SaverState before the render thread starts; the render
// thread then only reads it.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/setting_table.h"

// The status word and the slots are UTF-16, in fields of 256 characters with the terminator.
constexpr int TextBufferSize = 256;
constexpr int TextSlotCount = 6;

// The settings and strings of a process. A saver run's own state is render/saver_run.h.
struct SaverStateRecord {
  wchar_t TextSlots[TextSlotCount][TextBufferSize];  // the six user-editable slots
  wchar_t DefaultText[TextBufferSize];               // string 105, shown when no stored slot reads
  HKEY SettingsKey;
  char ClassName[16];
  char WindowTitle[16];
  char KeyPath[260];
};

extern SaverStateRecord SaverState;

// Index of the selected slot, -1 for none. Outside SaverState so that clearing the record
// at the start of a run does not reset it. Stored under StringIdValueName.
extern int32_t StringID;
constexpr const char* StringIdValueName = "StringID";
constexpr const char* LogFontValueName = "LogFont";

struct GlCapRow {
  const char* valueName;  // registry value name and GL name of the capability
  uint32_t capability;
  uint8_t state;          // 1 enables; anything else disables
};

struct MaterialLightRow {
  const char* valueName;
  float* vector;
  int width;              // floats: four, but one for the shininess
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

// String resource ids of the texts the program loads.
constexpr UINT ClassNameStringId = 101;
constexpr UINT WindowTitleStringId = 102;
constexpr UINT KeyPathStringId = 103;
constexpr UINT FirstPresetStringId = 105;  // 105..110: slots 0..5; 105 is also DefaultText

// Fills the string fields of SaverState from the string table of HostInstance.
void LoadSaverStrings();
// How the saver and the configuration dialog start: SaverState cleared, then its strings loaded.
// StringID and the tables keep what they hold.
void StartSaverState();
