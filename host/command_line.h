// The command-line grammar of the saver: the program name, the mode letter and the window
// handle number. Pure: no Win32 types, so it is tested natively too.
#pragma once
#include <stdint.h>

enum class SaverMode {
  Configure,       // nothing after the separators: the configuration dialog, no owner
  ConfigureOwned,  // C: the configuration dialog, owned by the foreground window
  Saver,           // S: full screen
  Preview,         // P or L: inside the window whose handle follows
  ChangePassword,  // A: the password change, owned by the window whose handle follows
  Away,            // W: the word on the screen now (no system passes it): word N, or the chooser
  Invalid,         // anything else: the result -1
};

struct ModeChoice {
  SaverMode mode;
  const char* rest;  // P, L, A, W: the text after the letter and the spaces behind it
};

// Moves on by one character; multibyte-aware on Windows (CharNextA).
using CharAdvance = const char* (*)(const char*);

// Skips the program name (quoted or not) and the blanks after it; returns the command tail. An
// unquoted name ends at the first blank, unless the line starts with `ownPath` (the program's own
// full path, in any letter case) and a blank or the end follows it: Windows may start a saver so
// from a folder whose name holds a blank.
const char* SkipProgramName(const char* commandLine, CharAdvance next, const char* ownPath = nullptr);

// Reads the mode from the command tail: separators ' ', '-' and '/' are skipped and the first
// other byte decides, upper and lower case alike.
ModeChoice ParseMode(const char* tail);

// Decimal digits from the start, in unsigned 32-bit arithmetic (wrapping); the first other byte
// ends the number; no digits give 0.
uint32_t ParseWindowHandle(const char* text);

// The word an away start names: "N" (1 to 6, blanks after it allowed) after the W; 0 for
// anything else, which opens the chooser.
int32_t AwayWordOfTail(const char* rest);
