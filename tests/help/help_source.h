// The topic titles as a help file's source (help/vorlux.txt, help/vorlux_en.txt) gives them, for the
// tests that read the built help files or watch the help viewer show them, and the language of the
// files the native tests read back.
#pragma once
#include <stdint.h>
#include <map>
#include <string>

// "contents" or a context number in decimal, to the topic's title in UTF-8; empty when the source
// cannot be read.
std::map<std::string, std::string> HelpSourceTitles(const std::string& path);

// A language's help: its source in help/, and what its files declare: the code page their texts
// are in (iconv's name), the character set of the WinHelp fonts and the language id.
struct HelpLanguage {
  const char* name;  // as VORLUX_HELP_LANGUAGE gives it
  const char* source;
  const char* codePage;
  uint32_t charset;
  uint32_t languageId;
};
// The language VORLUX_HELP_LANGUAGE names ("ja" when unset); nullptr for one unknown.
const HelpLanguage* HelpLanguageUnderTest();
