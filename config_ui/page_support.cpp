// Shared services of the configuration dialog and its pages (see page_support.h).
#include "config_ui/page_support.h"
#include "config_ui/number_field.h"
#include "config_ui/word_list.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include "settings/store.h"
#include <commctrl.h>
#include <prsht.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

// The system's own words for a reason, in the user's language, without the line break they end
// with; empty where it has none.
static void SystemReason(DWORD reason, wchar_t* text, int size) {
  text[0] = 0;
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  if (ConsumerPlatform) {
    char ansi[384] = "";
    if (FormatMessageA(flags, nullptr, reason, 0, ansi, sizeof ansi, nullptr)) WideFromAnsi(ansi, text, size);
  } else {
    FormatMessageW(flags, nullptr, reason, 0, text, static_cast<DWORD>(size), nullptr);
  }
  size_t length = wcslen(text);
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n')) text[--length] = 0;
}

// "設定を保存できませんでした。", then the system's own words for the reason or, where it has none,
// the number.
void ReportSaveFailure(HWND owner, DWORD reason) {
  wchar_t caption[64];
  wchar_t message[512];
  LoadText(HostInstance, IDS_CONFIG_CAPTION, caption, 64);
  LoadText(HostInstance, IDS_SAVE_FAILED, message, 512);
  wchar_t because[384];
  SystemReason(reason, because, 384);
  if (!because[0]) {
    char number[32];
    snprintf(number, sizeof number, "Error %lu", static_cast<unsigned long>(reason));
    WideFromAnsi(number, because, 384);
  }
  wcsncat(message, L"\r\n", 512 - wcslen(message) - 1);
  wcsncat(message, because, 512 - wcslen(message) - 1);
  // MessageBoxW is one of the few Unicode calls the consumer platform has too.
  MessageBoxW(owner, message, caption, MB_OK | MB_ICONERROR);
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

// What the pages of single values showed, then what the apply read back; each page has rows of
// its own. Stored: what was read from the registry to be shown.
static SingleSettings Shown;
static SingleSettings Stored;

// A list's entries, from the string table; filled once, when the list is first shown.
static void FillListChoice(HWND page, const SettingRow& row) {
  const SettingControl& control = row.control;
  HWND list = GetDlgItem(page, control.id);
  if (SendMessageA(list, CB_GETCOUNT, 0, 0) != 0) return;
  for (int32_t value = 0; value <= row.most; ++value) {
    wchar_t text[64];
    LoadText(HostInstance, control.firstText + static_cast<UINT>(value), text, 64);
    InsertListEntry(list, value, text);
  }
}

static void ShowSetting(HWND page, const SettingRow& row) {
  const SettingControl& control = row.control;
  char text[NumberFieldSize];
  switch (control.shown) {
    case SettingShown::FloatEdit:
      ShowFloat(page, control.id, Shown.*row.real);
      return;
    case SettingShown::NumberEdit:
      FormatIntField(text, sizeof text, Shown.*row.number);
      SetDlgItemTextA(page, control.id, text);
      return;
    case SettingShown::Choice:
      // A stored value that no button stands for checks none.
      for (int32_t value = 0; value <= row.most; ++value)
        CheckDlgButton(page, control.id + value, Shown.*row.number == value ? BST_CHECKED : BST_UNCHECKED);
      return;
    case SettingShown::ListChoice:
      FillListChoice(page, row);
      SendDlgItemMessageA(page, control.id, CB_SETCURSEL, static_cast<WPARAM>(Shown.*row.number), 0);
      return;
    case SettingShown::Check:
      CheckDlgButton(page, control.id, Shown.*row.number ? BST_CHECKED : BST_UNCHECKED);
      return;
  }
}

static void ReadSetting(HWND page, const SettingRow& row) {
  const SettingControl& control = row.control;
  char text[EditReadSize] = "";
  switch (control.shown) {
    case SettingShown::FloatEdit:
      ReadFloat(page, control.id, &(Shown.*row.real));
      return;
    case SettingShown::NumberEdit:
      GetDlgItemTextA(page, control.id, text, sizeof text);
      ParseIntFieldInRange(text, static_cast<int32_t>(row.least), static_cast<int32_t>(row.most), &(Shown.*row.number));
      return;
    case SettingShown::Choice:
      Shown.*row.number = static_cast<int32_t>(row.builtIn);
      for (int32_t value = 0; value <= row.most; ++value)
        if (IsDlgButtonChecked(page, control.id + value) == BST_CHECKED) Shown.*row.number = value;
      return;
    case SettingShown::ListChoice: {
      LRESULT picked = SendDlgItemMessageA(page, control.id, CB_GETCURSEL, 0, 0);
      Shown.*row.number = picked >= 0 && picked <= row.most ? static_cast<int32_t>(picked)
                                                             : static_cast<int32_t>(row.builtIn);
      return;
    }
    case SettingShown::Check:
      Shown.*row.number = IsDlgButtonChecked(page, control.id) == BST_CHECKED ? 1 : 0;
      return;
  }
}

void ShowSettings(HWND page, SettingGroup group) {
  OpenSettingsKeyForRead();
  ReadSettings(SaverState.SettingsKey, group, &Shown);
  CloseSettingsKey();
  Stored = Shown;
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row)
    if (row->group == group) ShowSetting(page, *row);
}

LSTATUS StoreSettings(HWND page, SettingGroup group) {
  LSTATUS status = ERROR_SUCCESS;
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row) {
    if (row->group != group) continue;
    ReadSetting(page, *row);
    status = FirstFailure(status, WriteSetting(SaverState.SettingsKey, *row, Shown));
  }
  return status;
}

bool SettingsChanged(HWND page, SettingGroup group) {
  bool changed = false;
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row) {
    if (row->group != group) continue;
    ReadSetting(page, *row);
    changed = changed || (row->real ? memcmp(&(Shown.*row->real), &(Stored.*row->real), sizeof(float)) != 0
                                    : Shown.*row->number != Stored.*row->number);
  }
  return changed;
}

INT_PTR ApplySettings(HWND page, SettingGroup group) {
  if (!BeginSettingsWrite(page)) return RefuseApply(page);
  if (!EndSettingsWrite(page, StoreSettings(page, group))) return RefuseApply(page);
  return FALSE;
}
