// The choice of the help system (see help_choice.h).
#include "config_ui/help_choice.h"
#include <stdio.h>

namespace {

constexpr uint32_t FirstVersionWithoutWinHelp = 6;  // Vista

bool Fits(int written, size_t size) { return written >= 0 && static_cast<size_t>(written) < size; }

}  // namespace

HelpSystem ChooseHelp(uint32_t majorVersion, const char* programPath, CharAdvance next, HtmlHelpFiles* files) {
  if (majorVersion < FirstVersionWithoutWinHelp) return HelpSystem::Hlp;
  const char* folderEnd = programPath;  // just after the last separator
  for (const char* at = programPath; *at; at = next(at))
    if (*at == '\\' || *at == '/') folderEnd = at + 1;
  int folderLength = static_cast<int>(folderEnd - programPath);
  if (!Fits(snprintf(files->file, sizeof files->file, "%.*s%s", folderLength, programPath, HtmlHelpFileName),
            sizeof files->file) ||
      !Fits(snprintf(files->popups, sizeof files->popups, "%s::/%s", files->file, HtmlHelpPopups),
            sizeof files->popups))
    return HelpSystem::Hlp;
  return HelpSystem::Chm;
}
