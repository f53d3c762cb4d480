// Which help system the configuration dialog and its pages use, and where its file lies. Pure: no
// Win32 types, so it is tested natively too.
#pragma once
#include "host/command_line.h"  // CharAdvance
#include <stddef.h>
#include <stdint.h>

enum class HelpSystem { Hlp, Chm };  // vorlux.hlp in WinHelp, vorlux.chm in HTML Help

// The HTML Help file beside the program, and the pop-up texts inside it (see scripts/make_chm.py).
constexpr const char* HtmlHelpFileName = "vorlux.chm";
constexpr const char* HtmlHelpPopups = "cshelp.txt";

// What HtmlHelpA is given: a module path (MAX_PATH) with room for the pop-up file's suffix.
constexpr size_t HelpPathSize = 300;
struct HtmlHelpFiles {
  char file[HelpPathSize];    // <the program's folder>vorlux.chm
  char popups[HelpPathSize];  // <file>::/cshelp.txt
};

// Up to XP (major version below 6) WinHelp is part of Windows and stays the help. From Vista on,
// which has no WinHelp, HTML Help with vorlux.chm in the folder of the running program
// (`programPath`; HTML Help, unlike WinHelp, does not search the Windows folders), the folder found
// walking with `next`, so that the trail byte 0x5C of a double-byte character is no separator.
// WinHelp also when the paths do not fit. Where the viewer or the file turns out to be missing,
// the caller keeps to WinHelp.
HelpSystem ChooseHelp(uint32_t majorVersion, const char* programPath, CharAdvance next, HtmlHelpFiles* files);
