// Shared services of the configuration dialog and its pages (see page_support.h).
#include "config_ui/page_support.h"
#include "config_ui/help_choice.h"
#include "config_ui/help_ids.h"
#include "config_ui/number_field.h"
#include "host/host_state.h"
#include "resources/resource.h"
#include "settings/store.h"
#include <commctrl.h>
#include <htmlhelp.h>
#include <prsht.h>
#include <stdio.h>
#include <string.h>

namespace {

// "設定を保存できませんでした。", then the system's own words for the reason (in the user's
// language) or, where it has none, the number.
void ReportSaveFailure(HWND owner, DWORD reason) {
  char caption[64] = "";
  char message[512] = "";
  LoadStringA(HostInstance, IDS_CONFIG_CAPTION, caption, sizeof caption);
  LoadStringA(HostInstance, IDS_SAVE_FAILED, message, sizeof message);
  char because[384] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, reason, 0,
                                because, sizeof because, nullptr);
  while (length > 0 && (because[length - 1] == '\r' || because[length - 1] == '\n')) because[--length] = '\0';
  if (length == 0) snprintf(because, sizeof because, "Error %lu", static_cast<unsigned long>(reason));
  size_t used = strlen(message);
  snprintf(message + used, sizeof message - used, "\r\n%s", because);
  MessageBoxA(owner, message, caption, MB_OK | MB_ICONERROR);
}

// HTML Help's entry point, from hhctrl.ocx loaded by name: the program imports nothing of it.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The help system, chosen at the first request and kept for the process.
struct HelpState {
  bool chosen;
  HtmlHelpFn htmlHelp;  // null: WinHelp
  bool htmlHelpUsed;
  HtmlHelpFiles files;
};
HelpState Help;

const char* NextChar(const char* text) { return CharNextA(text); }

HtmlHelpFn ChosenHtmlHelp() {
  if (Help.chosen) return Help.htmlHelp;
  Help.chosen = true;
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  char program[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(HostInstance, program, sizeof program);
  if (!GetVersionExA(&version) || length == 0 || length >= sizeof program ||
      ChooseHelp(version.dwMajorVersion, program, NextChar, &Help.files) != HelpSystem::Chm ||
      GetFileAttributesA(Help.files.file) == INVALID_FILE_ATTRIBUTES)
    return nullptr;
  HMODULE viewer = LoadLibraryA("hhctrl.ocx");
  if (!viewer) return nullptr;
  Help.htmlHelp = ProcAddress<HtmlHelpFn>(viewer, "HtmlHelpA");
  if (!Help.htmlHelp) FreeLibrary(viewer);
  return Help.htmlHelp;
}

}  // namespace

void ShowHelpContents(HWND dialog) {
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp()) {
    Help.htmlHelpUsed = true;
    htmlHelp(dialog, Help.files.file, HH_DISPLAY_TOC, 0);
    return;
  }
  WinHelpA(dialog, HelpFileName, HELP_FINDER, 0);
}

void ShowContextHelp(HWND window, LPARAM helpInfo, const uint32_t* table) {
  const HELPINFO* info = reinterpret_cast<const HELPINFO*>(helpInfo);
  if (info->iContextType != HELPINFO_WINDOW) return;
  // The help system looks the control's id up in the table, so the request must name the window's
  // own control: F1 in the combo box's text field names the field inside the combo box, whose id
  // (1001) is the details button's.
  HWND control = static_cast<HWND>(info->hItemHandle);
  if (IsChild(window, control))
    while (GetParent(control) != window) control = GetParent(control);
  if (HtmlHelpFn htmlHelp = ChosenHtmlHelp()) {
    Help.htmlHelpUsed = true;
    htmlHelp(control, Help.files.popups, HH_TP_HELP_WM_HELP, reinterpret_cast<DWORD_PTR>(table));
    return;
  }
  WinHelpA(control, HelpFileName, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table));
}

void CloseHelp() {
  if (Help.htmlHelpUsed) Help.htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

bool BeginSettingsWrite(HWND owner) {
  if (OpenSettingsKeyForWrite()) return true;
  ReportSaveFailure(owner, GetLastError());
  return false;
}

bool EndSettingsWrite(HWND owner, LSTATUS status) {
  CloseSettingsKey();
  if (status == ERROR_SUCCESS) return true;
  ReportSaveFailure(owner, static_cast<DWORD>(status));
  return false;
}

bool IsApply(LPARAM notification) { return reinterpret_cast<const NMHDR*>(notification)->code == PSN_APPLY; }

INT_PTR RefuseApply(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
  return TRUE;
}

void ShowFloat(HWND page, int control, float value) {
  char text[NumberFieldSize];
  FormatFloatField(text, sizeof text, value);
  SetDlgItemTextA(page, control, text);
}

void ReadFloat(HWND page, int control, float* value) {
  char text[EditReadSize] = "";
  GetDlgItemTextA(page, control, text, sizeof text);
  ParseFloatField(text, value);
}
