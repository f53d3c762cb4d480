// Which help system the configuration dialog and its pages use, and where its file lies. Pure: no
// Win32 types, so it is tested natively too.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum class HelpSystem { Hlp, Chm };  // the .hlp file in WinHelp, the .chm file in HTML Help

// The pop-up texts inside the HTML Help file (see scripts/make_chm.py).
constexpr char16_t HtmlHelpPopups[] = u"::/cshelp.txt";

// What HtmlHelpW is given, in UTF-16: a module path (MAX_PATH) with room for the pop-up file's
// suffix.
constexpr size_t HelpPathSize = 300;
struct HtmlHelpFiles {
  char16_t file[HelpPathSize];    // <the program's folder><the .chm file>
  char16_t popups[HelpPathSize];  // <file>::/cshelp.txt
};

// Up to XP (major version below 6) WinHelp is part of Windows and stays the help. From Vista on,
// which has no WinHelp, HTML Help with the .chm file `chmName` in the folder of the running
// program (`programPath`, UTF-16, so that a folder the code page cannot spell is found; HTML Help,
// unlike WinHelp, does not search the Windows folders). WinHelp also when the paths do not fit.
// Where the viewer or the file turns out to be missing, the caller keeps to WinHelp.
HelpSystem ChooseHelp(uint32_t majorVersion, const char16_t* programPath, const char16_t* chmName,
                      HtmlHelpFiles* files);
