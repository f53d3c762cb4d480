// The help of the configuration dialog and its pages: WinHelp (vorlux.hlp) before Vista, as
// always; from Vista on HTML Help (vorlux.chm beside the program, hhctrl.ocx from the system
// folder), or WinHelp again where either is missing. Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>

// The help button: the help file's contents.
void ShowHelpContents(HWND dialog);
// WM_HELP to `window` (a dialog or page): a request for one of its controls, or for a window
// inside one, opens the pop-up topic its table names for that control; menus are ignored.
void ShowContextHelp(HWND window, LPARAM helpInfo, const uint32_t* table);
// At the end of the configuration dialog: closes the HTML Help windows it opened, and gives the
// viewer's thread the time to take them down before the process ends.
void CloseHelp();
