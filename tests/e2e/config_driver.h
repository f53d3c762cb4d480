// Driving the configuration dialog and its property sheet of a launched vorlux.scr from outside,
// as Wine's own property-sheet tests do: controls changed with messages, buttons pressed with
// WM_COMMAND and PSM_PRESSBUTTON, results read from the controls and the registry.
#pragma once
#include "tests/e2e/driver.h"
#include "resources/resource.h"
#include <string>
#include <vector>

namespace e2e {

constexpr int ConfirmButton = IDC_CONFIG_OK, DetailsButton = IDC_DETAILS, HelpButton = IDC_HELP_BUTTON,
              TextCombo = IDC_TEXT_COMBO;

// A control's text and typing over it, in UTF-8 (the tests' own sources are UTF-8).
std::string TextOf(HWND control);
void SetTextOf(HWND control, const std::string& utf8);
// Registry text (code page 932) as UTF-8, and the other way.
std::string Utf8(const std::string& ansi);
std::string Ansi(const char* utf8);
// An about text (resources/about.txt, about_en.txt) as the about page shows it: lines ended by CR LF,
// none after the last; and its first line.
std::string AboutText(const char* source = "about.txt");
inline std::string AboutFirstLine(const char* source = "about.txt") {
  std::string text = AboutText(source);
  return text.substr(0, text.find('\r'));
}

class ConfigTest : public SaverTest {
 protected:
  // Launches the program with the tail (and locale, see Launch) and waits for its dialog and the
  // dialog's controls.
  HWND OpenDialog(const std::string& tail = "", const char* locale = nullptr) {
    return OpenDialogOf(CommandLine(tail), locale);
  }
  // The same for a whole command line (a program in another folder).
  HWND OpenDialogOf(const std::string& commandLine, const char* locale = nullptr);
  // The combo box's list, entry by entry.
  std::vector<std::string> ListEntries();
  // Picks a list entry as the user would: selection, then the dialog's notification.
  void SelectEntry(int index);
  // Posts a button's click to the dialog (or sheet): the window takes it after what was posted to it
  // before; what it does is waited for where it is looked at.
  void Click(HWND window, int button);

  // Presses the details button and waits for the sheet; ShowPage brings a page to the front.
  HWND OpenSheet();
  HWND ShowPage(int index);
  // Presses a sheet button (PSBTN_OK, PSBTN_CANCEL); true when the sheet then closed.
  bool PressSheetButton(int button);
  // A top-level dialog of the program owned by `owner` (message boxes, the font dialog).
  HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = 5000);

  Process process_;
  HWND dialog_ = nullptr;
  HWND sheet_ = nullptr;
};

}  // namespace e2e
