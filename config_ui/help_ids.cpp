// The context-help tables (see help_ids.h). A label leads to the topic of the control it names.
#include "config_ui/help_ids.h"
#include "resources/resource.h"
#include "settings/setting_table.h"
#include <initializer_list>

constexpr uint32_t OkButton = 1;      // IDOK
constexpr uint32_t CancelButton = 2;  // IDCANCEL

namespace {

// A table of the single values' controls (from the settings table) and of `more`, ended by zeros.
struct BuiltHelpIds {
  uint32_t pairs[64] = {};
  BuiltHelpIds(std::initializer_list<SettingGroup> groups, std::initializer_list<uint32_t> more) {
    int written = 0;
    for (SettingGroup group : groups) written += HelpPairsOfGroup(group, pairs + written, 62 - written);
    for (uint32_t id : more)
      if (written < 62) pairs[written++] = id;
  }
};

const BuiltHelpIds ConfigPairs({SettingGroup::Word}, {
  IDC_TEXT_COMBO, 1000,
  IDC_TEXT_LABEL, 1000,
  IDC_CONFIG_OK, 1078,
  CancelButton, 2,
  IDC_DETAILS, 1001,
});

const BuiltHelpIds ShapePairs({SettingGroup::Shape}, {IDC_FONT, 1006});
const BuiltHelpIds MotionPairs({SettingGroup::Motion}, {});

// The away chooser's OK starts the run; its time and lock are rows of the table.
const BuiltHelpIds AwayPairs({SettingGroup::Word, SettingGroup::Away}, {
  IDC_AWAY_LABEL, IDC_AWAY_WORDS,
  IDC_AWAY_WORDS, IDC_AWAY_WORDS,
  OkButton, 1091,
  CancelButton, 1092,
});

}  // namespace

const uint32_t* const ConfigHelpIds = ConfigPairs.pairs;
const uint32_t* const ShapeHelpIds = ShapePairs.pairs;
const uint32_t* const MotionHelpIds = MotionPairs.pairs;
const uint32_t* const AwayHelpIds = AwayPairs.pairs;

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
