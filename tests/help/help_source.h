// The topic titles as the help file's source (help/vorlux.txt) gives them, for the tests that read
// the built help file or watch the help viewer show it.
#pragma once
#include <map>
#include <string>

// "contents" or a context number in decimal, to the topic's title in UTF-8; empty when the source
// cannot be read.
std::map<std::string, std::string> HelpSourceTitles(const std::string& path);
