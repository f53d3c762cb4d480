// Reads the topic lines ("== <key> <title>") of the help file's source (see help_source.h).
#include "tests/help/help_source.h"
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
