// Every help context number that the dialogs' help tables hand over, each once, in ascending
// order: the topics the help file must hold. For the build-time lister and the tests only; the
// program itself never needs the list (and carries no standard containers).
#pragma once
#include "config_ui/help_ids.h"
#include <set>
#include <vector>

inline std::vector<uint32_t> HelpContextIds() {
  std::set<uint32_t> ids;
  for (auto* table = HelpTables; table->name; ++table)
    for (const uint32_t* pair = table->pairs; pair[0] || pair[1]; pair += 2) ids.insert(pair[1]);
  return {ids.begin(), ids.end()};
}
