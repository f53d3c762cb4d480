// The single values of the settings: what each means, its row in the one table that the store,
// the saver's set-up, the pages, the help tables and the tests walk, and the rule that makes a
// stored value usable. Pure: no Win32 types, so the help tables' lister and the tests read it
// natively too.
#pragma once
#include <stdint.h>

// How the text moves: the three-axis tumble of the spin angles, or a gentle sway that keeps it
// upright and facing the viewer.
enum class Motion : uint32_t { Tumble = 0, FaceTheRoom = 1 };

// The time beside the word: none, the time the user left ("14:05～"), the time now ("14:05").
enum class TimeDisplay : int32_t { None = 0, Left = 1, Now = 2 };

// The speed: steps per second. 0 is the benchmarks' "as fast as the machine draws", one step per
// drawn frame, never offered in the dialog.
constexpr uint32_t DefaultStepsPerSecond = 60;  // what a 60 Hz display shows of one step a frame
constexpr uint32_t MinStepsPerSecond = 10;
constexpr uint32_t MaxStepsPerSecond = 240;
constexpr uint32_t UnpacedSteps = 0;

// Where the single values land. They are not held between uses: the render set-up and the pages
// each read them into a record of their own.
struct SingleSettings {
  float deviation;         // chordal deviation of the outlines
  float extrusion;         // extrusion depth of the glyphs
  float userScale;         // the frame loop's scale
  int32_t format;          // 0 line segments, 1 filled polygons
  int32_t stepsPerSecond;  // see above
  int32_t motion;          // a Motion
  int32_t timeDisplay;     // a TimeDisplay
  int32_t lockOnReturn;    // an away run that input ends locks the session first: 1, or 0
};

// Who reads a row, in table order: the render set-up and the shape page the shape and the motion,
// the render set-up, the configuration dialog and the away chooser what goes with the word, an
// away run and its chooser what is its own.
enum class SettingGroup : uint8_t { Shape, Motion, Word, Away };

// What a stored value is taken as. Numbers are taken unsigned (a hand-edited -1 is a large
// number); a float that is not finite, or lies outside least to most, is the built-in value.
enum class StoredRule : uint8_t {
  AsStored,     // as it is
  InRange,      // least to most; any other number is the built-in value
  Clamped,      // below least is least, above most is most (a hand-edited registry means
                // "slower" or "faster", not "default"); 0 stays 0 (for the speed: no pacing)
};

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
  int id;              // the edit, the first radio button, the list or the check box
  SettingShown shown;
  int labels[2];       // the texts that name it (0: none); their help is the control's
  uint32_t firstText;  // ListChoice: the string of entry 0
};

// One row per single value. A float is stored as its raw 4 bytes (REG_BINARY), a number as a
// REG_DWORD; whichever of `real` and `number` is set says which it is and where it lands. A
// control's context-help topic is its own id (a radio button's, its own), as the help file has it.
struct SettingRow {
  const char* valueName;
  SettingGroup group;
  double builtIn;  // exact for every float and 32-bit number
  float SingleSettings::*real;
  int32_t SingleSettings::*number;
  StoredRule rule;
  double least, most;  // what the rule keeps, and what an edit accepts
  SettingControl control;
};

// First row of the single values; walk until the row whose valueName is null.
const SettingRow* GetSettingTable();

// A stored value as the program takes it, by its row's rule.
int32_t UsableNumber(const SettingRow& row, uint32_t stored);
float UsableReal(const SettingRow& row, float stored);

// The context-help pairs (control, topic) of a group's controls and the texts that name them,
// written from `out` on; returns the number of uint32_t written (two a pair), at most `capacity`.
int HelpPairsOfGroup(SettingGroup group, uint32_t* out, int capacity);
