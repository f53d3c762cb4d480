// What a stored value of each single value is taken as, by its row's rule.
#include "settings/setting_table.h"
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <string>

namespace {

const SettingRow& Row(const char* name) {
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row)
    if (!strcmp(row->valueName, name)) return *row;
  ADD_FAILURE() << "no row " << name;
  return *GetSettingTable();
}

TEST(SettingTable, AStoredNumberIsTakenByItsRowsRule) {
  const struct {
    const char* name;
    uint32_t stored;
    int32_t taken;
  } rows[] = {
    // The speed: a hand-edited value means slower or faster; 0 is no pacing.
    {"StepsPerSecond", 0, 0}, {"StepsPerSecond", 1, 10}, {"StepsPerSecond", 9, 10}, {"StepsPerSecond", 60, 60},
    {"StepsPerSecond", 241, 240}, {"StepsPerSecond", 0xFFFFFFFFu, 240},
    // Choices outside their values are the built-in one.
    {"Motion", 1, 1}, {"Motion", 2, 0}, {"Motion", 0x101, 0},
    {"TimeDisplay", 2, 2}, {"TimeDisplay", 3, 0}, {"TimeDisplay", 0xFFFFFFFFu, 0},
    {"LockOnReturn", 0, 0}, {"LockOnReturn", 7, 1}, {"LockOnReturn", 0xFFFFFFFFu, 1},
    {"Format", 5, 5},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.taken, UsableNumber(Row(row.name), row.stored)) << row.name << " stored " << row.stored;
}

TEST(SettingTable, AFloatThatIsNoNumberOrOutOfItsRangeIsTheBuiltInOne) {
  const struct {
    const char* name;
    float stored, taken;
  } rows[] = {
    {"UserScale", 1.5f, 1.5f}, {"UserScale", NAN, 0.55f}, {"UserScale", INFINITY, 0.55f}, {"UserScale", 0.0f, 0.55f},
    {"UserScale", -1.0f, 0.55f}, {"UserScale", 1e30f, 0.55f}, {"Extrusion", 0.0f, 0.0f}, {"Extrusion", -0.5f, 0.15f},
    {"Deviation", 1e-15f, 1e-15f}, {"Deviation", -INFINITY, 0.0f},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.taken, UsableReal(Row(row.name), row.stored)) << row.name << " stored " << row.stored;
}

}  // namespace
