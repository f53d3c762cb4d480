// The context-help tables of the configuration dialog and its pages: pairs of control id and help
// context id, ended by a pair of zeros, handed whole to WinHelpA with HELP_WM_HELP (which takes
// them as DWORDs: 32 bits, as uint32_t). Pure: no Win32 types, so the help file's tests read them
// natively too.
#pragma once
#include <stdint.h>

// The configuration dialog's, the shape and motion pages' and the away chooser's take the pairs of
// their single values from the settings table.
extern const uint32_t* const ConfigHelpIds;
extern const uint32_t* const ShapeHelpIds;
extern const uint32_t LightHelpIds[];
extern const uint32_t MaterialHelpIds[];
extern const uint32_t OptionsHelpIds[];
extern const uint32_t* const MotionHelpIds;
extern const uint32_t* const AwayHelpIds;

// Every table above by name, ended by a row with a null name.
struct HelpTableRow {
  const char* name;
  const uint32_t* pairs;
};
extern const HelpTableRow HelpTables[];

