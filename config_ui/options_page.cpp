// The options page: one check box per GL switch, stored when the sheet applies. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

// The table in memory takes the stored switches each time the page opens; the apply writes the
// check boxes to the registry only.
void InitPage(HWND page) {
  OpenSettingsKeyForRead();
  ReadGlCaps(SaverState.SettingsKey);
  CloseSettingsKey();
  int box = IDC_FIRST_SWITCH;
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row, ++box)
    CheckDlgButton(page, box, row->state == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// The two disabled boxes are written too, with the state they were given.
INT_PTR Apply(HWND page) {
  if (!BeginSettingsWrite(page)) return RefuseApply(page);
  LSTATUS status = ERROR_SUCCESS;
  int box = IDC_FIRST_SWITCH;
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row, ++box) {
    int32_t state = IsDlgButtonChecked(page, box) == BST_CHECKED ? 1 : 0;
    status = FirstFailure(status, WriteIntSetting(SaverState.SettingsKey, row->valueName, state));
  }
  if (!EndSettingsWrite(page, status)) return RefuseApply(page);
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPage(page);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? Apply(page) : FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, OptionsHelpIds);
      return TRUE;
    default:
      return FALSE;
  }
}
