// The settings model: the program-wide SaverState record, the selected slot, the table of the
// single values and the GL switch and material/light tables with their built-in defaults, and the
// start of a run. Main thread fills SaverState before the render thread starts; the render thread
// then only reads it (and Text).
#pragma once
#include <windows.h>
#include <stdint.h>

// The status word and the slots are UTF-16, in fields of 256 characters with the terminator.
constexpr int TextBufferSize = 256;
constexpr int TextSlotCount = 6;

struct SaverStateRecord {
  wchar_t Text[TextBufferSize];                      // what the renderer turns into glyphs
  int32_t TextChosen;                                // the run chose Text: no slot is read for it
  wchar_t TextSlots[TextSlotCount][TextBufferSize];  // the six user-editable slots
  wchar_t DefaultText[TextBufferSize];               // string 105, shown when no stored slot reads
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
  uint64_t LeftAt;  // when the user left, as a FILETIME in UTC; set with the GL child window
};

extern SaverStateRecord SaverState;

// Index of the selected slot, -1 for none. Outside SaverState so that clearing the record
// at the start of a run does not reset it. Stored under StringIdValueName.
extern int32_t StringID;
constexpr const char* StringIdValueName = "StringID";
constexpr const char* LogFontValueName = "LogFont";

// Where the single values land. They are not held between uses: the render set-up and the pages
// each read them into a record of their own.
struct SingleSettings {
  float deviation;         // chordal deviation of the outlines
  float extrusion;         // extrusion depth of the glyphs
  float userScale;         // the frame loop's scale
  int32_t format;          // 0 line segments, 1 filled polygons
  int32_t stepsPerSecond;  // see render/pacing.h
  int32_t motion;          // a Motion (render/motion.h)
  int32_t timeDisplay;     // a TimeDisplay (render/time_line.h)
  int32_t lockOnReturn;    // an away run that input ends locks the session first: 1, or 0
};

// Who reads a row, in table order: the render set-up and the shape page the shape, the render
// thread (after its set-up) and the motion page the motion, the render set-up, the configuration
// dialog and the away chooser what goes with the word, an away run and its chooser what is its own.
enum class SettingGroup : uint8_t { Shape, Motion, Word, Away };

// How a page shows a row.
enum class SettingShown : uint8_t {
  FloatEdit,   // "%f"; an entry without a number keeps the value shown
  NumberEdit,  // "%d"; an entry without a number, or outside least to most, keeps the value shown
  Choice,      // radio buttons from the control on, one for each value from 0 to most; none
               // checked stores the built-in value
  ListChoice,  // a drop-down list whose entry i stands for the value i, its text string
               // firstText + i; none picked stores the built-in value
  Check,       // a check box: checked 1, unchecked 0
};

struct SettingControl {
  int id;  // the edit, the first radio button, the list or the check box
  SettingShown shown;
  int32_t least, most;
  unsigned firstText;  // ListChoice: the string of entry 0
};

// One row per single value. A float is stored as its raw 4 bytes (REG_BINARY), a number as a
// REG_DWORD; whichever of `real` and `number` is set says which it is and where it lands.
struct SettingRow {
  const char* valueName;
  SettingGroup group;
  double builtIn;                     // exact for every float and 32-bit number
  float SingleSettings::*real;
  int32_t SingleSettings::*number;
  int32_t (*usable)(int32_t stored);  // a number as the program takes it; null: as stored
  SettingControl control;             // where its page shows it
};

// First row of the single values; walk until the row whose valueName is null.
const SettingRow* GetSettingTable();

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
