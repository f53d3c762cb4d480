// The context-help tables (see help_ids.h). A label leads to the topic of the control it names.
#include "config_ui/help_ids.h"
#include "resources/resource.h"

constexpr uint32_t OkButton = 1;      // IDOK
constexpr uint32_t CancelButton = 2;  // IDCANCEL

const uint32_t ConfigHelpIds[] = {
  IDC_TEXT_COMBO, 1000,
  IDC_TEXT_LABEL, 1000,
  IDC_CONFIG_OK, 1078,
  CancelButton, 2,
  IDC_DETAILS, 1001,
  IDC_TIME_LABEL, 1087,
  IDC_TIME_DISPLAY, 1087,
  0, 0,
};

const uint32_t ShapeHelpIds[] = {
  IDC_DEVIATION_LABEL, 1002,
  IDC_DEVIATION, 1002,
  IDC_EXTRUSION_LABEL, 1003,
  IDC_EXTRUSION, 1003,
  IDC_SCALE, 1007,
  IDC_SCALE_LABEL, 1007,
  IDC_FORMAT_LINES, 1004,
  IDC_FORMAT_POLYGONS, 1005,
  IDC_FONT, 1006,
  0, 0,
};

// A row's label and its four edits, left to right, all lead to one topic.
#define VORLUX_HELP_ROW(label, firstEdit, topic) \
  label, topic, firstEdit, topic, firstEdit + 1, topic, firstEdit + 2, topic, firstEdit + 3, topic

const uint32_t LightHelpIds[] = {
  VORLUX_HELP_ROW(IDC_LIGHT_AMBIENT_LABEL, IDC_LIGHT_AMBIENT, 1023),
  VORLUX_HELP_ROW(IDC_LIGHT_DIFFUSE_LABEL, IDC_LIGHT_DIFFUSE, 1027),
  VORLUX_HELP_ROW(IDC_LIGHT_SPECULAR_LABEL, IDC_LIGHT_SPECULAR, 1031),
  VORLUX_HELP_ROW(IDC_LMODEL_AMBIENT_LABEL, IDC_LMODEL_AMBIENT, 1035),
  VORLUX_HELP_ROW(IDC_LIGHT_POSITION_LABEL, IDC_LIGHT_POSITION, 1039),
  0, 0,
};

// Ambient, diffuse and specular share the light page's topics.
const uint32_t MaterialHelpIds[] = {
  VORLUX_HELP_ROW(IDC_MAT_AMBIENT_LABEL, IDC_MAT_AMBIENT, 1023),
  VORLUX_HELP_ROW(IDC_MAT_DIFFUSE_LABEL, IDC_MAT_DIFFUSE, 1027),
  VORLUX_HELP_ROW(IDC_MAT_SPECULAR_LABEL, IDC_MAT_SPECULAR, 1031),
  VORLUX_HELP_ROW(IDC_MAT_EMISSION_LABEL, IDC_MAT_EMISSION, 2023),
  IDC_SHININESS_LABEL, 2027,
  IDC_SHININESS, 2027,
  0, 0,
};

#undef VORLUX_HELP_ROW

// Each check box leads to the topic of its own id.
const uint32_t OptionsHelpIds[] = {
  1054, 1054, 1055, 1055, 1056, 1056, 1057, 1057, 1058, 1058,
  1059, 1059, 1060, 1060, 1061, 1061, 1062, 1062, 1063, 1063,
  0, 0,
};

// The speed's label and unit lead to the speed's topic; the group box has none.
const uint32_t MotionHelpIds[] = {
  IDC_SPEED_LABEL, IDC_SPEED,
  IDC_SPEED, IDC_SPEED,
  IDC_SPEED_UNIT, IDC_SPEED,
  IDC_MOTION_TUMBLE, IDC_MOTION_TUMBLE,
  IDC_MOTION_FACE, IDC_MOTION_FACE,
  0, 0,
};

// The away chooser's time is the configuration dialog's; its OK starts the run.
const uint32_t AwayHelpIds[] = {
  IDC_AWAY_LABEL, IDC_AWAY_WORDS,
  IDC_AWAY_WORDS, IDC_AWAY_WORDS,
  IDC_TIME_LABEL, IDC_TIME_DISPLAY,
  IDC_TIME_DISPLAY, IDC_TIME_DISPLAY,
  IDC_LOCK_ON_RETURN, IDC_LOCK_ON_RETURN,
  OkButton, 1091,
  CancelButton, 1092,
  0, 0,
};

const HelpTableRow HelpTables[] = {
  {"ConfigHelpIds", ConfigHelpIds},
  {"ShapeHelpIds", ShapeHelpIds},
  {"LightHelpIds", LightHelpIds},
  {"MaterialHelpIds", MaterialHelpIds},
  {"OptionsHelpIds", OptionsHelpIds},
  {"MotionHelpIds", MotionHelpIds},
  {"AwayHelpIds", AwayHelpIds},
  {nullptr, nullptr},
};
