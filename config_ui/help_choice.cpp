// The choice of the help system (see help_choice.h).
#include "config_ui/help_choice.h"

namespace {

constexpr uint32_t FirstVersionWithoutWinHelp = 6;  // Vista

// Appends the text's first `count` units (up to its end) to the string of `*length` units in
// `out`; false when they and the terminator do not fit in HelpPathSize.
bool Append(char16_t* out, size_t* length, const char16_t* text, size_t count = HelpPathSize) {
  for (size_t i = 0; i < count && text[i]; ++i) {
    if (*length + 1 >= HelpPathSize) return false;
    out[(*length)++] = text[i];
  }
  out[*length] = 0;
  return true;
}

}  // namespace

HelpSystem ChooseHelp(uint32_t majorVersion, const char16_t* programPath, const char16_t* chmName,
                      HtmlHelpFiles* files) {
  if (majorVersion < FirstVersionWithoutWinHelp) return HelpSystem::Hlp;
  // In UTF-16 a separator's unit is always the separator, never part of another character.
  size_t folderLength = 0;  // up to and with the last separator
  for (size_t at = 0; programPath[at]; ++at)
    if (programPath[at] == u'\\' || programPath[at] == u'/') folderLength = at + 1;
  size_t file = 0, popups = 0;
  if (!Append(files->file, &file, programPath, folderLength) || !Append(files->file, &file, chmName) ||
      !Append(files->popups, &popups, files->file) || !Append(files->popups, &popups, HtmlHelpPopups))
    return HelpSystem::Hlp;
  return HelpSystem::Chm;
}
