// The single values' table and the rules of their stored values (see setting_table.h).
#include "settings/setting_table.h"
#include "resources/resource.h"
#include <math.h>

namespace {

// A new single value is a row here, its control on its page (and in vorlux.rc) and its help topic
// in help/vorlux.txt: the store, the saver's set-up, the page, the help tables and the tests take
// it from this table. Each row: value name, group, built-in value, where a float or a number lands,
// the rule for a stored value with its range; then how the page shows it (control, kind, the texts
// that name it, a list's first text).
const SettingRow SettingTable[] = {
  {"Deviation", SettingGroup::Shape, 0.0f, &SingleSettings::deviation, nullptr, StoredRule::InRange, 0, 1000,
   {IDC_DEVIATION, SettingShown::FloatEdit, {IDC_DEVIATION_LABEL, 0}, 0}},
  {"Extrusion", SettingGroup::Shape, 0.15f, &SingleSettings::extrusion, nullptr, StoredRule::InRange, 0, 1000,
   {IDC_EXTRUSION, SettingShown::FloatEdit, {IDC_EXTRUSION_LABEL, 0}, 0}},
  {"UserScale", SettingGroup::Shape, 0.55f, &SingleSettings::userScale, nullptr, StoredRule::InRange, 0.001, 1000,
   {IDC_SCALE, SettingShown::FloatEdit, {IDC_SCALE_LABEL, 0}, 0}},
  {"Format", SettingGroup::Shape, 1, nullptr, &SingleSettings::format, StoredRule::AsStored, 0, 1,
   {IDC_FORMAT_LINES, SettingShown::Choice, {0, 0}, 0}},
  {"StepsPerSecond", SettingGroup::Motion, DefaultStepsPerSecond, nullptr, &SingleSettings::stepsPerSecond,
   StoredRule::Clamped, MinStepsPerSecond, MaxStepsPerSecond,
   {IDC_SPEED, SettingShown::NumberEdit, {IDC_SPEED_LABEL, IDC_SPEED_UNIT}, 0}},
  {"Motion", SettingGroup::Motion, 0, nullptr, &SingleSettings::motion, StoredRule::InRange, 0, 1,
   {IDC_MOTION_TUMBLE, SettingShown::Choice, {0, 0}, 0}},
  {"TimeDisplay", SettingGroup::Word, 0, nullptr, &SingleSettings::timeDisplay, StoredRule::InRange, 0, 2,
   {IDC_TIME_DISPLAY, SettingShown::ListChoice, {IDC_TIME_LABEL, 0}, IDS_TIME_CHOICE0}},
  // The lock keeps a desk safe: only a stored 0 switches it off.
  {"LockOnReturn", SettingGroup::Away, 1, nullptr, &SingleSettings::lockOnReturn, StoredRule::InRange, 0, 1,
   {IDC_LOCK_ON_RETURN, SettingShown::Check, {0, 0}, 0}},
  {nullptr, SettingGroup::Shape, 0, nullptr, nullptr, StoredRule::AsStored, 0, 0, {0, SettingShown::FloatEdit, {0, 0}, 0}},
};

}  // namespace

const SettingRow* GetSettingTable() { return SettingTable; }

int32_t UsableNumber(const SettingRow& row, uint32_t stored) {
  const double value = stored;
  switch (row.rule) {
    case StoredRule::AsStored:
      break;
    case StoredRule::InRange:
      if (value < row.least || value > row.most) return static_cast<int32_t>(row.builtIn);
      break;
    case StoredRule::Clamped:
      if (stored == 0) break;
      if (value < row.least) return static_cast<int32_t>(row.least);
      if (value > row.most) return static_cast<int32_t>(row.most);
      break;
  }
  return static_cast<int32_t>(stored);
}

float UsableReal(const SettingRow& row, float stored) {
  if (row.rule == StoredRule::AsStored) return stored;
  // NaN compares false both ways, so it falls back with the infinities.
  if (!(stored >= row.least && stored <= row.most)) return static_cast<float>(row.builtIn);
  return stored;
}

int HelpPairsOfGroup(SettingGroup group, uint32_t* out, int capacity) {
  int written = 0;
  auto pair = [&](int control, int topic) {
    if (written + 2 > capacity) return;
    out[written++] = static_cast<uint32_t>(control);
    out[written++] = static_cast<uint32_t>(topic);
  };
  for (const SettingRow* row = SettingTable; row->valueName; ++row) {
    if (row->group != group) continue;
    const SettingControl& control = row->control;
    for (int label : control.labels)
      if (label) pair(label, control.id);
    int buttons = control.shown == SettingShown::Choice ? static_cast<int>(row->most) + 1 : 1;
    for (int i = 0; i < buttons; ++i) pair(control.id + i, control.id + i);
  }
  return written;
}
