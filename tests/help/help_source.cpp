// Reads the topic lines ("== <key> <title>") of a help file's source, and names the language of the
// files under test (see help_source.h).
#include "tests/help/help_source.h"
#include <stdlib.h>
#include <fstream>

std::map<std::string, std::string> HelpSourceTitles(const std::string& path) {
  std::map<std::string, std::string> titles;
  std::ifstream source(path);
  for (std::string line; std::getline(source, line);) {
    if (line.compare(0, 3, "== ") != 0) continue;
    size_t space = line.find(' ', 3);
    titles[line.substr(3, space - 3)] = line.substr(space + 1);
  }
  return titles;
}

const HelpLanguage* HelpLanguageUnderTest() {
  static const HelpLanguage languages[] = {
    {"ja", "vorlux.txt", "CP932", 128, 0x0411},    // SHIFTJIS_CHARSET, Japanese
    {"en", "vorlux_en.txt", "CP1252", 0, 0x0409},  // ANSI_CHARSET, English (United States)
  };
  const char* name = getenv("VORLUX_HELP_LANGUAGE");
  for (const auto& language : languages)
    if (std::string(name ? name : "ja") == language.name) return &language;
  return nullptr;
}
