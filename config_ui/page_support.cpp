// Shared services of the configuration dialog and its pages (see page_support.h).
#include "config_ui/page_support.h"
#include "config_ui/number_field.h"
#include "host/host_state.h"
#include "resources/resource.h"
#include "settings/store.h"
#include <commctrl.h>
#include <prsht.h>
#include <stdio.h>
#include <string.h>

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
